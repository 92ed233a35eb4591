#pragma once
// The program speaks Indonesian whatever the machine's own language: dates,
// month names and amounts in the Indonesian form ("09 Desember 2026",
// "238.000"), and the texts of the platform's own controls (the buttons of a
// question, the file and print dialogs, the menus of a text box) in
// Indonesian too.

namespace ui {

// Makes Indonesian (id_ID) the default locale of the process and installs the
// translations of the platform's texts: Qt's own Indonesian file
// (qtbase_id.qm in Qt's translations folder) when the machine has one, over
// the program's own table of the platform texts it shows. Call once at start,
// after the application object is made and before any window. Returns whether
// Qt's own file was found; without it the program's table serves alone.
bool PakaiBahasaIndonesia();

}  // namespace ui

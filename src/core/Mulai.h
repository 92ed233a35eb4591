#pragma once
// The run of the program from its start to its exit status: the program's
// language (Indonesian, whatever the machine's), the login window; after a
// login, the main window until the person closes it.

// Returns the exit status: 0 after a normal end, 1 when the database could
// not be opened or was found damaged.
int Mulai();

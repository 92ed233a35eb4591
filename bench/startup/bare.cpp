// A bare Qt Widgets program that opens a window of the same kind as the login
// window (a framed form of three labelled boxes and two buttons) and nothing
// else: no database, no program code.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QDialog w;
  w.setWindowTitle("  ::: Login");
  auto* bingkai = new QFrame(&w);
  bingkai->setFrameShape(QFrame::StyledPanel);
  auto* isian = new QGridLayout(bingkai);
  isian->addWidget(new QLabel("Login ID", bingkai), 0, 0);
  isian->addWidget(new QLineEdit(bingkai), 0, 1);
  isian->addWidget(new QLabel("Password", bingkai), 1, 0);
  auto* pwd = new QLineEdit(bingkai);
  pwd->setEchoMode(QLineEdit::Password);
  isian->addWidget(pwd, 1, 1);
  isian->addWidget(new QLabel("Level", bingkai), 2, 0);
  auto* level = new QComboBox(bingkai);
  level->setEditable(true);
  level->addItems({"KASIR", "ADMIN"});
  isian->addWidget(level, 2, 1);
  auto* tombol = new QHBoxLayout;
  tombol->addStretch(1);
  tombol->addWidget(new QPushButton("&LOGIN", &w));
  tombol->addWidget(new QPushButton("&TUTUP", &w));
  auto* utama = new QVBoxLayout(&w);
  utama->addWidget(bingkai);
  utama->addLayout(tombol);
  w.setFixedSize(380, w.sizeHint().height());
  return w.exec();
}

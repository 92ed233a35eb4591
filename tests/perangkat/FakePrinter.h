#pragma once
// A network receipt printer on 127.0.0.1, on a free port, in a thread of its
// own so that a blocking send in the test's thread has someone to talk to.
#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QThread>
#include <QWaitCondition>

namespace perangkattest {

class FakePrinter : public QThread {
 public:
  enum class Sikap {
    Membaca,     // reads everything and keeps it, connection by connection
    TakMembaca,  // lets the system accept the connection and never reads a byte
  };
  explicit FakePrinter(Sikap sikap = Sikap::Membaca);
  ~FakePrinter() override;

  quint16 port() const { return port_; }
  // The bytes of the next connection the sender has closed, waiting for it up
  // to ms; empty if none closed in time.
  QByteArray Diterima(int ms = 5000);

 protected:
  void run() override;

 private:
  const Sikap sikap_;
  quint16 port_ = 0;
  QMutex mutex_;
  QWaitCondition berubah_;
  bool siap_ = false;
  QList<QByteArray> selesai_;
};

}  // namespace perangkattest

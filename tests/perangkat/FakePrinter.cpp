#include "FakePrinter.h"

#include <QDeadlineTimer>
#include <QMutexLocker>
#include <QTcpServer>
#include <QTcpSocket>

#include <memory>

#include <sys/socket.h>
#include <unistd.h>

namespace perangkattest {

namespace {

// Keeps the connections it is given without ever opening them: nobody reads,
// so the sender's writes stop once the system's buffers are full.
class ServerBisu : public QTcpServer {
 public:
  ~ServerBisu() override {
    for (qintptr fd : fds_) ::close(int(fd));
  }

 protected:
  void incomingConnection(qintptr fd) override { fds_ << fd; }

 private:
  QList<qintptr> fds_;
};

}  // namespace

FakePrinter::FakePrinter(Sikap sikap) : sikap_(sikap) {
  start();
  QMutexLocker lock(&mutex_);
  while (!siap_) berubah_.wait(&mutex_);
}

FakePrinter::~FakePrinter() {
  quit();
  wait();
}

QByteArray FakePrinter::Diterima(int ms) {
  QMutexLocker lock(&mutex_);
  QDeadlineTimer batas(ms);
  while (selesai_.isEmpty())
    if (!berubah_.wait(&mutex_, batas)) break;
  return selesai_.isEmpty() ? QByteArray() : selesai_.takeFirst();
}

void FakePrinter::run() {
  std::unique_ptr<QTcpServer> server;
  if (sikap_ == Sikap::TakMembaca)
    server = std::make_unique<ServerBisu>();
  else
    server = std::make_unique<QTcpServer>();
  const bool ok = server->listen(QHostAddress::LocalHost, 0);
  if (ok && sikap_ == Sikap::TakMembaca) {
    // A small window: the sender's writes stop after little data.
    int kecil = 4096;
    ::setsockopt(int(server->socketDescriptor()), SOL_SOCKET, SO_RCVBUF, &kecil, sizeof kecil);
  }
  QObject::connect(server.get(), &QTcpServer::newConnection, server.get(), [this, s = server.get()] {
    while (QTcpSocket* c = s->nextPendingConnection()) {
      auto isi = std::make_shared<QByteArray>();
      QObject::connect(c, &QTcpSocket::readyRead, c, [c, isi] { isi->append(c->readAll()); });
      QObject::connect(c, &QTcpSocket::disconnected, c, [this, c, isi] {
        isi->append(c->readAll());
        {
          QMutexLocker lock(&mutex_);
          selesai_ << *isi;
          berubah_.wakeAll();
        }
        c->deleteLater();
      });
    }
  });
  {
    QMutexLocker lock(&mutex_);
    port_ = ok ? server->serverPort() : 0;
    siap_ = true;
    berubah_.wakeAll();
  }
  exec();
}

}  // namespace perangkattest

#include "db/Password.h"

#include <sodium.h>

#include <QByteArray>
#include <atomic>

namespace db {

namespace {

std::atomic<PasswordCost> cost{PasswordCost::Interactive};

bool SodiumReady() {
  // Safe to call more than once and from several threads.
  static const bool ready = sodium_init() >= 0;
  return ready;
}

// The typed text as bytes, wiped when it is no longer needed.
struct Bytes {
  QByteArray b;
  explicit Bytes(const QString& s) : b(s.toUtf8()) {}
  ~Bytes() { sodium_memzero(b.data(), size_t(b.size())); }
};

}  // namespace

void SetPasswordCost(PasswordCost c) { cost = c; }

bool HashPassword(const QString& password, QString* hash, QString* error) {
  const Bytes pw(password);  // first: `hash` may be the same string
  hash->clear();
  if (!SodiumReady()) {
    *error = QStringLiteral("libsodium tidak dapat dimulai");
    return false;
  }
  const bool murah = cost == PasswordCost::CheapForTests;
  const unsigned long long ops = murah ? crypto_pwhash_OPSLIMIT_MIN : crypto_pwhash_OPSLIMIT_INTERACTIVE;
  const size_t mem = murah ? crypto_pwhash_MEMLIMIT_MIN : crypto_pwhash_MEMLIMIT_INTERACTIVE;
  char out[crypto_pwhash_STRBYTES];
  if (crypto_pwhash_str_alg(out, pw.b.constData(), size_t(pw.b.size()), ops, mem, crypto_pwhash_ALG_ARGON2ID13) != 0) {
    *error = QStringLiteral("memori tidak cukup untuk hash password");
    return false;
  }
  *hash = QString::fromLatin1(out);
  return true;
}

bool IsPasswordHash(const QString& stored) { return stored.startsWith(QLatin1String("$argon2id$")); }

bool PasswordMatches(const QString& stored, const QString& typed) {
  if (stored.isEmpty() || typed.isEmpty()) return false;
  if (!IsPasswordHash(stored)) return stored == typed;
  if (!SodiumReady()) return false;
  const QByteArray h = stored.toLatin1();
  const Bytes pw(typed);
  return crypto_pwhash_str_verify(h.constData(), pw.b.constData(), size_t(pw.b.size())) == 0;
}

}  // namespace db

#pragma once
// Passwords are kept as salted, slow hashes (argon2id, libsodium's
// crypto_pwhash_str), never as typed: whoever copies the database file does
// not read them. Files of older versions hold them as typed; such a value is
// still recognised, and the login and `merapu-db upgrade` replace it.
#include <QString>

namespace db {

// The text kept for `password` (at most crypto_pwhash_STRBYTES - 1 ASCII
// characters, about 100). False with the reason in *error when it cannot be
// made (the hash needs its memory).
[[nodiscard]] bool HashPassword(const QString& password, QString* hash, QString* error);

// Whether a stored value is such a hash rather than a password as typed.
bool IsPasswordHash(const QString& stored);

// Whether `typed` is the password kept as `stored`, exactly (case counts):
// through the hash, or compared as it stands for a value of an older file.
// An empty typed or stored value never matches.
bool PasswordMatches(const QString& stored, const QString& typed);

// The hash cost. A login waits for one hash of the interactive cost (2 passes
// over 64 MiB, about a tenth of a second); the cheap cost is for tests that
// store and check passwords by the dozen. Hashes of either cost verify.
enum class PasswordCost { Interactive, CheapForTests };
void SetPasswordCost(PasswordCost cost);

}  // namespace db

#pragma once

#include <QString>

namespace common {

// The reason given when another process keeps the bank's lock for longer than the program waits:
// the bank layer gives it as a failure's reason, and the windows tell it as it stands.
inline const QString kBankInUse = QStringLiteral("题库正被另一个程序使用");

} // namespace common

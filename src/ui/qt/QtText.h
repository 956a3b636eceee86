#pragma once

// The program's texts and QString are both UTF-16, so they convert code unit for code unit;
// nothing is lost either way, lone surrogates included.

#include <QString>

#include <string>
#include <string_view>

namespace QtUi {

inline QString ToQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

inline std::u16string FromQString(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

}  // namespace QtUi

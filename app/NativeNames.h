#pragma once
// File and port names as the system has them: bytes, not always UTF-8. Qt's own conversion
// replaces a byte that is not UTF-8, so such a name would open another file or none. These keep
// every byte: a stray byte travels as a lone surrogate (U+DC80–U+DCFF) and comes back unchanged.

#include <QString>

#include <string>
#include <string_view>

namespace tonel {

QString nativeNameText(std::string_view bytes);
std::string nativeNameBytes(const QString& text);
// For messages: stray bytes shown as U+FFFD.
QString nativeNameShown(const QString& text);
// A path from Qt's file dialog, which shows a byte that is not UTF-8 as U+FFFD: the entry of its
// folder that it stands for when exactly one matches, otherwise the path unchanged.
QString dialogPathToNative(const QString& path);

}  // namespace tonel

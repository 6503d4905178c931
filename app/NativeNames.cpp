#include "app/NativeNames.h"

#include <QFile>

#include <dirent.h>

namespace tonel {

namespace {
constexpr char16_t kStrayBase = 0xDC00;  // + the byte, 0x80..0xFF

bool isStray(char16_t unit) { return unit >= kStrayBase + 0x80 && unit <= kStrayBase + 0xFF; }

// The length of the well-formed UTF-8 sequence at `at`; 0 when there is none.
std::size_t sequenceAt(std::string_view bytes, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0)
        length = 2, least = 0x80;
    else if ((lead & 0xF0) == 0xE0)
        length = 3, least = 0x800;
    else if ((lead & 0xF8) == 0xF0)
        length = 4, least = 0x10000;
    else
        return 0;
    if (at + length > bytes.size())
        return 0;
    char32_t code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[at + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (next & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < least || code > 0x10FFFF || surrogate ? 0 : length;
}
}  // namespace

QString nativeNameText(std::string_view bytes)
{
    QString text;
    for (std::size_t at = 0; at < bytes.size();) {
        if (const std::size_t length = sequenceAt(bytes, at); length > 0) {
            text += QString::fromUtf8(bytes.data() + at, static_cast<qsizetype>(length));
            at += length;
        } else {
            text += QChar(static_cast<char16_t>(kStrayBase + static_cast<unsigned char>(bytes[at++])));
        }
    }
    return text;
}

std::string nativeNameBytes(const QString& text)
{
    std::string bytes;
    for (qsizetype at = 0; at < text.size();) {
        const char16_t unit = text[at].unicode();
        if (isStray(unit)) {
            bytes += static_cast<char>(unit - kStrayBase);
            ++at;
            continue;
        }
        const bool pair = QChar::isHighSurrogate(unit) && at + 1 < text.size() && text[at + 1].isLowSurrogate();
        const qsizetype length = pair ? 2 : 1;
        bytes += text.mid(at, length).toStdString();
        at += length;
    }
    return bytes;
}

QString nativeNameShown(const QString& text)
{
    QString shown = text;
    for (qsizetype at = 0; at < shown.size(); ++at) {
        if (shown[at].isHighSurrogate() && at + 1 < shown.size() && shown[at + 1].isLowSurrogate())
            ++at;  // a character beyond the first plane, not a stray byte
        else if (isStray(shown[at].unicode()))
            shown[at] = QChar::ReplacementCharacter;
    }
    return shown;
}

QString dialogPathToNative(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (!path.contains(QChar::ReplacementCharacter) || slash < 0)
        return path;
    const std::string folder = nativeNameBytes(path.left(slash + 1));
    const QString name = path.mid(slash + 1);
    DIR* entries = ::opendir(folder.c_str());
    if (entries == nullptr)
        return path;
    std::string match;
    int matches = 0;
    while (const dirent* entry = ::readdir(entries)) {
        if (QFile::decodeName(entry->d_name) == name) {
            match = entry->d_name;
            ++matches;
        }
    }
    ::closedir(entries);
    return matches == 1 ? nativeNameText(folder + match) : path;
}

}  // namespace tonel

#include "binding/fixed_text.h"

#include <cstring>

namespace kaldate {

FixedText::FixedText(int width, QStringView text) : bytes_(width, ' ') {
    // Characters outside Latin-1 become '?', as an 8-bit conversion would.
    const QByteArray eight = text.toLatin1();
    std::memcpy(bytes_.data(), eight.constData(), std::min<qsizetype>(eight.size(), width));
}

QString FixedText::shown() const {
    const qsizetype end = bytes_.indexOf('\0');
    return QString::fromLatin1(end < 0 ? bytes_ : bytes_.left(end));
}

void FixedText::copyFrom(const char* source) {
    std::memcpy(bytes_.data(), source, bytes_.size());
}

}  // namespace kaldate

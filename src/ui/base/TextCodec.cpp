#include "ui/base/TextCodec.h"

#include <QStringDecoder>

namespace {

bool IsValidUtf8(std::string_view bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return !decoder.hasError();
}

}  // namespace

QString DecodeText(std::string_view bytes) {
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (IsValidUtf8(bytes)) return QString::fromUtf8(view);
    QStringDecoder shiftJis("Shift_JIS");
    if (!shiftJis.isValid()) return QString::fromLatin1(view);
    return shiftJis(view);
}

std::string EncodeText(const QString& text) { return text.toUtf8().toStdString(); }

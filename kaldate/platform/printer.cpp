#include "platform/printer.h"

#include <cups/cups.h>

#include <QPrinterInfo>

namespace kaldate {

QString portFromDeviceUri(const QString& uri) {
    const qsizetype scheme = uri.indexOf(QLatin1String("://"));
    if (scheme < 0) return uri;
    const qsizetype hostStart = scheme + 3;
    qsizetype hostEnd = uri.indexOf(QLatin1Char('/'), hostStart);
    if (hostEnd < 0) hostEnd = uri.size();
    const qsizetype at = uri.lastIndexOf(QLatin1Char('@'), hostEnd - 1);
    if (at < hostStart) return uri;
    return uri.left(hostStart) + uri.mid(at + 1);
}

PrinterInfo defaultPrinter() {
    PrinterInfo info;
    info.name = QPrinterInfo::defaultPrinterName();
    if (info.name.isEmpty()) return info;
    cups_dest_t* dest =
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, info.name.toLocal8Bit().constData(), nullptr);
    if (dest == nullptr) return info;
    if (const char* uri = cupsGetOption("device-uri", dest->num_options, dest->options)) {
        info.port = portFromDeviceUri(QString::fromLocal8Bit(uri));
    }
    cupsFreeDests(1, dest);
    return info;
}

}  // namespace kaldate

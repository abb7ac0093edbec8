#include "emails/gui/desktop_address_opener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace tallimo::emails {

bool DesktopAddressOpener::open(const std::string& url) {
    // The address is already percent-encoded: keep it byte for byte.
    const QUrl address = QUrl::fromEncoded(QByteArray::fromStdString(url), QUrl::StrictMode);
    return address.isValid() && QDesktopServices::openUrl(address);
}

} // namespace tallimo::emails

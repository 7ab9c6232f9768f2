#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace Clipboard {

namespace {

// KDE's and most Linux clipboard managers' mark; Windows' history and cloud formats; macOS' concealed type.
const char* const SecretFormats[] = {
    "x-kde-passwordManagerHint",      "ExcludeClipboardContentFromMonitorProcessing",
    "CanIncludeInClipboardHistory",   "CanUploadToCloudClipboard",
    "org.nspasteboard.ConcealedType",
};

} // namespace

void clear() {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->clear();
}

void putText(const QString& text, bool secret) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    auto* data = new QMimeData;
    data->setText(text);
    if (secret) {
        data->setData(QString::fromLatin1(SecretFormats[0]), QByteArrayLiteral("secret"));
        data->setData(QString::fromLatin1(SecretFormats[1]), QByteArray());
        // A DWORD of zero: "do not keep".
        data->setData(QString::fromLatin1(SecretFormats[2]), QByteArray(4, '\0'));
        data->setData(QString::fromLatin1(SecretFormats[3]), QByteArray(4, '\0'));
        data->setData(QString::fromLatin1(SecretFormats[4]), QByteArray());
    }
    clipboard->setMimeData(data);
}

QString text() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text() : QString();
}

bool isMarkedSecret() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data && data->data(QString::fromLatin1(SecretFormats[0])) == "secret";
}

} // namespace Clipboard

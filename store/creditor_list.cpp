#include "store/creditor_list.h"

#include "store/data_folder.h"
#include "store/log_file.h"
#include "store/scramble.h"
#include "store/text_codec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

CreditorEntry CreditorEntry::fromPlain(const QString& plain) {
    CreditorEntry entry;
    const qsizetype bar1 = plain.indexOf(u'|');
    if (bar1 < 0) {
        entry.name = plain;
        return entry;
    }
    entry.hasName = true;
    entry.name = plain.left(bar1);
    const qsizetype bar2 = plain.indexOf(u'|', bar1 + 1);
    if (bar2 < 0) {
        entry.userName = plain.mid(bar1 + 1);
        return entry;
    }
    entry.userName = plain.mid(bar1 + 1, bar2 - bar1 - 1);
    const qsizetype bar3 = plain.indexOf(u'|', bar2 + 1);
    if (bar3 < 0) {
        entry.password = plain.mid(bar2 + 1);
        return entry;
    }
    entry.password = plain.mid(bar2 + 1, bar3 - bar2 - 1);
    entry.loginUrl = plain.mid(bar3 + 1);
    return entry;
}

QString CreditorEntry::plain() const {
    return name + u'|' + userName + u'|' + password + u'|' + loginUrl;
}

QString creditorName(const QString& plainEntry) {
    const qsizetype bar = plainEntry.indexOf(u'|');
    return bar >= 1 ? plainEntry.left(bar) : QString();
}

QStringList readCreditorFile(const QString& path) {
    QStringList entries;
    // A pipe or a device in its place would never end, or never start.
    if (!QFileInfo(path).isFile())
        return entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    const QByteArray bytes = file.readAll();
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype newline = bytes.indexOf('\n', start);
        const qsizetype next = newline < 0 ? bytes.size() : newline + 1;
        qsizetype end = newline < 0 ? bytes.size() : newline;
        if (end > start && bytes.at(end - 1) == '\r')
            --end;
        if (end == start)
            break; // the first empty line ends the list
        const QByteArray plain = ScrambleText(QByteArrayView(bytes).sliced(start, end - start), CreditorListKey());
        entries.append(TextCodec::decode(plain));
        start = next;
    }
    return entries;
}

bool appendCreditorLine(const QString& path, const QString& plainEntry) {
    const std::optional<QByteArray> plain = TextCodec::encode(plainEntry);
    if (!plain)
        return false;
    QByteArray line = ScrambleText(*plain, CreditorListKey());
    // Only control characters could scramble to a line break under this key, and the entry boxes refuse
    // them; never write a line that would read back as two.
    if (line.contains('\n') || line.contains('\r'))
        return false;
    line.append("\r\n");
    return appendToFile(path, line);
}

void EnsureCreditorFile(const ProgramFiles& files) {
    if (QFileInfo(files.DataFolder()).isDir())
        return;
    if (!QDir().mkpath(files.DataFolder()))
        return;
    QFile file(files.creditorList());
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, ownerOnly()))
        file.close();
}

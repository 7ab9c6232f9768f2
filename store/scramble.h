#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The program's reversible scrambling: each byte becomes 255 - (byte XOR key byte), the key cycled from
// its first byte. Scrambling the result again with the same key gives the text back.
QByteArray ScrambleText(QByteArrayView text, QByteArrayView key);

// Key of the creditor list lines: every code lies in 224..255, so a printable character never scrambles
// to 0, 10 or 13 and a scrambled line never breaks in two.
QByteArrayView CreditorListKey();
// Key of the preferences record.
QByteArrayView PreferencesKey();

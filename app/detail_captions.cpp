#include "app/detail_captions.h"

#include "app/caption_label.h"
#include "app/entry_area.h"
#include "app/web_address.h"
#include "platform/clipboard.h"
#include "platform/shell.h"
#include "platform/windows_rgb.h"
#include "prefs/pref_items.h"

#include <QLineEdit>

namespace {

constexpr int Red = 255;
constexpr int Blue = 16711680;
constexpr int White = 16777215;

} // namespace

DetailCaptions::DetailCaptions(EntryArea& entry, DetailsArea& details, const PrefItems& prefs, Shell& shell,
                               QObject* parent)
    : QObject(parent)
    , m_entry(entry)
    , m_details(details)
    , m_prefs(prefs)
    , m_shell(shell) {
    for (int i = 0; i < 4; ++i)
        connect(m_entry.Label1[size_t(i)], &CaptionLabel::clicked, this, [this, i] { captionClicked(i); });
    for (int i = 4; i < 7; ++i) {
        CaptionLabel* label = m_details.Label1[size_t(i - 4)];
        connect(label, &CaptionLabel::clicked, this, [this, i] { captionClicked(i); });
        connect(label, &CaptionLabel::hovered, this, [this, i] { captionHovered(i); });
    }
    connect(m_entry.Label1[0], &CaptionLabel::doubleClicked, this, &DetailCaptions::openLoginAddressInShell);
    connect(m_details.Frame1, &AreaFrame::backgroundHovered, this, &DetailCaptions::removeHover);
    connect(m_entry.Frame2, &AreaFrame::backgroundHovered, this, &DetailCaptions::removeHover);
    connect(m_details.Frame1, &AreaFrame::backgroundClicked, this, &DetailCaptions::clearCopied);
}

void DetailCaptions::captionClicked(int i) {
    Clipboard::clear();
    if (i < 4)
        return;
    const QString text = m_details.Text2[size_t(i - 4)]->text();
    if (text.isEmpty())
        return;
    for (int other = 4; other < 7; ++other) {
        if (other != i)
            m_ink[size_t(other - 4)] = Ink::Black;
    }
    const bool password = i == 6;
    const bool shown = !password || !m_prefs.isOn(PrefItems::NPas);
    if (shown) {
        // The user name and password are secrets: clipboard history must not keep them.
        Clipboard::putText(text, i != 4);
        m_ink[size_t(i - 4)] = Ink::Red;
    }
    for (int k = 4; k < 7; ++k)
        paint(k);
}

void DetailCaptions::captionHovered(int i) {
    m_hovered[size_t(i - 4)] = true;
    Ink& ink = m_ink[size_t(i - 4)];
    if (ink == Ink::Black || ink == Ink::System)
        ink = Ink::White;
    paint(i);
}

void DetailCaptions::removeHover() {
    for (int i = 4; i < 7; ++i) {
        Ink& ink = m_ink[size_t(i - 4)];
        const bool changed = m_hovered[size_t(i - 4)] || ink == Ink::White;
        m_hovered[size_t(i - 4)] = false;
        if (ink == Ink::White)
            ink = Ink::Black;
        if (changed)
            paint(i);
    }
}

void DetailCaptions::clearCopied() {
    Clipboard::clear();
    for (int i = 4; i < 7; ++i) {
        m_ink[size_t(i - 4)] = Ink::Black;
        paint(i);
    }
}

void DetailCaptions::openLoginAddressInShell() {
    if (const std::optional<QUrl> url = webAddress(m_details.Text2[0]->text()))
        m_shell.open(*url);
}

void DetailCaptions::paint(int i) {
    CaptionLabel* label = m_details.Label1[size_t(i - 4)];
    QPalette palette = m_details.palette();
    if (m_hovered[size_t(i - 4)])
        palette.setColor(QPalette::Window, fromWindowsRgb(Blue));
    switch (m_ink[size_t(i - 4)]) {
    case Ink::System:
        break;
    case Ink::Black:
        palette.setColor(QPalette::WindowText, Qt::black);
        break;
    case Ink::Red:
        palette.setColor(QPalette::WindowText, fromWindowsRgb(Red));
        break;
    case Ink::White:
        palette.setColor(QPalette::WindowText, fromWindowsRgb(White));
        break;
    }
    label->setPalette(palette);
    label->setAutoFillBackground(m_hovered[size_t(i - 4)]);
}

#pragma once

#include <array>
#include <QObject>

class DetailsArea;
class EntryArea;
class Shell;
struct PrefItems;

// The captions of the creditor details: a click copies the detail to the clipboard and marks its caption
// red, the mouse over a caption marks it blue, and a double click on "Date" opens the login address.
class DetailCaptions final : public QObject {
    Q_OBJECT

public:
    enum class Ink { System, Black, Red, White };

    DetailCaptions(EntryArea& entry, DetailsArea& details, const PrefItems& prefs, Shell& shell,
                   QObject* parent = nullptr);

    // i is the caption's design index: 0 to 3 in the entry area, 4 to 6 beside the details.
    void captionClicked(int i);
    void captionHovered(int i);
    void removeHover();
    void clearCopied();
    void openLoginAddressInShell();

    Ink ink(int i) const { return m_ink[size_t(i - 4)]; }
    bool hovered(int i) const { return m_hovered[size_t(i - 4)]; }

private:
    void paint(int i);

    EntryArea& m_entry;
    DetailsArea& m_details;
    const PrefItems& m_prefs;
    Shell& m_shell;
    std::array<Ink, 3> m_ink{Ink::System, Ink::System, Ink::System};
    std::array<bool, 3> m_hovered{};
};

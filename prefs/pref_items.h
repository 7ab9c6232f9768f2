#pragma once

#include <array>
#include <QString>

// The preference values by position, as every part of the program reads them. Slot 0 is never used.
// Slot 18 holds "tyuh=" followed by the password, because the reader cuts five characters off every
// item and the password's key is ten long.
struct PrefItems {
    enum Slot {
        Jan1 = 1, // automatic storage on January 1st
        UsYr,     // today's date as the storage name
        JanN,     // storage name
        MnBK,     // monthly backup
        MBKF,     // monthly backup path
        DBdl,     // removal leaves the log alone
        Shut,     // automatic shut-down
        ShTm,     // minutes until the shut-down
        Dupl,     // duplicated confirmation numbers allowed
        NPas,     // passwords never shown
        ontp,     // always on top at launch
        Nprf,     // settings command disabled
        Pass,     // settings require the password
        Aids,     // focus aids
        NoFo,     // colour where the focus is not
        SiFo,     // colour where the focus is
        PssL,     // password required at start
        Password, // "tyuh=" + the password
    };
    static constexpr int Slots = 19;

    std::array<QString, Slots> slot;

    QString& operator[](int k) { return slot[size_t(k)]; }
    const QString& operator[](int k) const { return slot[size_t(k)]; }
    // An option counts as set only when its text is exactly "1".
    bool isOn(int k) const { return slot[size_t(k)] == u"1"; }
    // The stored password: slot 18 from its sixth character on.
    QString password() const { return slot[Password].mid(5); }
};

#pragma once

#include "common/Outcome.h"

#include <QString>

#include <future>

namespace app {

// The bank as the program finds it at start.
struct StartingBank {
    common::Outcome<> usable;
    // What was done unasked (a damaged copy replaced, a journal that did not belong set aside), to
    // tell once; may be empty.
    QString notice;
};

// Makes or upgrades the per-user copy (`bankPath` other than `shippedBank`) and checks the bank. A
// damaged per-user copy is set aside and copied again from the shipped bank. Only the copy of the
// program that `holdsBank` (SingleInstance) replaces a bank that is there; without the claim the
// bank is used as it is.
StartingBank prepareBank(const QString& shippedBank, const QString& bankPath, bool holdsBank);

// prepareBank on a thread of its own, so that the main window is built and painted meanwhile; the
// first one to need the bank waits for it. Where no thread can be started, it runs when first asked.
std::shared_future<StartingBank> prepareBankInBackground(const QString& shippedBank, const QString& bankPath,
                                                         bool holdsBank);

// Told once when a damaged copy was replaced.
QString bankRestoredNotice(const QString& asidePath);

} // namespace app

#pragma once

#include <QVariant>

#include <cstdint>

// The account and membership procedures that the account forms and the group manager share.
// Each opens the bookingfile, does one thing and closes it. Numbers are account keys (Konti.ID).
namespace Kontodata {

// Adds the membership (gnr, pnr) unless the pair exists already: a member is listed once and
// may book for the account once. Keys below 1 are no accounts and add nothing. True when a row
// was added.
bool AddMembership(int32_t gnr, int32_t pnr);
bool IsMember(int32_t gnr, int32_t pnr);

// Bookings that name the account, current ones and (withArchive) archived ones as well.
bool HasBookings(int32_t id, bool withArchive);
// The account owns group accounts.
bool OwnsGroups(int32_t id);
// The account is an administrator who can log in (a personal account, not archived, with a
// user name and a password) and no other such administrator is left.
bool IsLastActiveAdministrator(int32_t id);
// Another personal account than exceptId has this user name (compared exactly, as the login
// does): the login would open the first of them only.
bool UserNameTaken(const QString &user, int32_t exceptId);
// The stored owner of a group account; a null value when the group has none or is not there.
QVariant GroupOwner(int32_t gnr);

// Deletes the account and every membership of it or in it, in one transaction.
void DeleteAccount(int32_t id);

// The number a value holds, 0 when it holds none (a key box, a list's bound value).
int32_t KeyOf(const QVariant &value);

} // namespace Kontodata

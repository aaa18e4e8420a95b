#pragma once
// The openers of the office forms: business partners and their ledger, the cash
// journal, the reminder panel, alerts, flow analysis and the statistics.

namespace office {

// Registers the opener of each of this folder's forms with the main window.
void RegisterForms();

// The openers of each form, called by RegisterForms.
void RegisterStatistics();
void RegisterQueryResult();
void RegisterReminderPanel();
void RegisterFlowAnalysis();
void RegisterCustomerAlert();
void RegisterPartners();
void RegisterLedger();
void RegisterCashJournal();

} // namespace office

#pragma once
// The help contexts of the dialogs and commands: a table of (ID, context) pairs
// searched from the first, so that a later pair of the same ID never matches.

// The help context of a dialog or command ID (only its low 16 bits count), or 0
// when the table has none (the help opens at its contents).
int HelpContextFor(unsigned long id);

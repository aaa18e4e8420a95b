#pragma once
// Money in whole fen. Every amount the program shows, prints, archives or posts is
// computed here in integers and rounded once, half away from zero, so the screen, the
// paper, the archive and the ledger never differ by a fen. Tables keep yuan with two
// decimals; FromYuan and ToYuan cross that border.
#include <string>

namespace money {

using Fen = long long;

// The nearest whole fen of an amount in yuan, halves away from zero, decided on the
// decimal value (1.005 gives 101) rather than on its binary approximation.
Fen FromYuan(double yuan);
double ToYuan(Fen fen);
// Two decimals, "-" for a debt, never "-0.00".
std::string Text(Fen fen);
// A typed amount: optional sign, digits, at most one point; the third decimal rounds
// half up. False for anything else (an empty text, letters, a second point).
bool Parse(const std::string& text, Fen* fen);
// fen x numerator / denominator, rounded once (denominator above 0).
Fen Scale(Fen fen, long long numerator, long long denominator);
// The amount of a line: quantity x unit price x percent / 100, rounded once.
Fen LineAmount(long long quantity, Fen price, long long percent);

} // namespace money

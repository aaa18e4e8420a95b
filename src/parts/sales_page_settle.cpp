// Settling a sales ticket.
#include "parts/sales_page.h"

void ljsh::OnSettle() {}

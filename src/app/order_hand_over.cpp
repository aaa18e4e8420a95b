#include "app/order_hand_over.h"

std::vector<OrderLine>& COrderHandOver::Lines() {
    static std::vector<OrderLine> lines;
    return lines;
}

bool COrderHandOver::Add(const OrderLine& line) {
    for (const OrderLine& waiting : Lines())
        if (waiting.part == line.part && waiting.name == line.name && waiting.model == line.model)
            return false;
    Lines().push_back(line);
    return true;
}

std::vector<OrderLine> COrderHandOver::Take() {
    std::vector<OrderLine> lines;
    lines.swap(Lines());
    return lines;
}

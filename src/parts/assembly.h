#pragma once
// Splitting assemblies into their parts and assembling parts into assemblies: the
// part list of `ljzc`, the stock taken out item by item, and the lines the stock-in
// page receives. The part list is read before any stock changes, and the stock is
// saved only when every item has been taken.
#include "parts/part_line.h"
#include "work/stock_take_out.h"

#include <functional>
#include <optional>
#include <vector>

namespace parts {

struct Assembly {
    wxString model; // 车型
    wxString name;  // 总成项目
    wxString code;  // 总成编号
};

class CAssemblyWork {
public:
    explicit CAssemblyWork(work::TakeOutQuestions& questions) : m_questions(questions) {}

    // The parts of one assembly: 编号, 零件名称, 车型, 备注 and 数量 per assembly.
    static std::vector<PartLine> PartList(const Assembly& assembly);

    // n assemblies out of stock; the lines of their parts (n × the part's 数量). The
    // operator confirms after the stock check. Empty when stopped (an answer, an empty
    // part list, a failed save: nothing changed).
    std::optional<std::vector<PartLine>> Split(const Assembly& assembly, int n,
                                               const std::function<bool()>& confirm = {});
    // The parts of n assemblies out of stock; the one line of the n assemblies.
    std::optional<std::vector<PartLine>> Assemble(const Assembly& assembly, int n,
                                                  const std::function<bool()>& confirm = {});

    // 部位, 厂牌, 供应商, the prices and 货位 of the first stock row of each line's 编号.
    static void FillFromStock(std::vector<PartLine>& lines);

private:
    // The stock check of a split: the question when the stock holds fewer; false on No.
    bool EnoughOrIgnored(const Assembly& assembly, int n, bool* noStockRecord);

    work::TakeOutQuestions& m_questions;
};

} // namespace parts

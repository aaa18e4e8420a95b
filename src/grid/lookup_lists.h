#pragma once
// The look-up grid's lists of stock and labour items: the markers a lookup names them
// by, and the statements that fill them.

namespace grid_lookup {

inline const char* const kStockMarker = "#ljkc##";
inline const char* const kStockAndLabourMarker = "#ljkcAndWxxm##";
inline const char* const kStockList =
    "select 零件名称,编号,零售价,数量,货位,车型,厂牌,代理价,批发价,单位,进价 from ljkc";
inline const char* const kLabourList =
    "select 类别,项目名称 as 零件名称,编号,单价,单位,数量,备注,进价,单价 "
    "as 零售价,单价 as 批发价 from wxxm";

} // namespace grid_lookup

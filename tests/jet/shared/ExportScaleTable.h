#pragma once

// The table export is measured on at scale, by its test and by its benchmark: one column of each
// kind a bank's tables hold (Long, Chinese Text, Memo, Currency, Date/Time, Double), rows to add.
#include "jet/DatabaseCreator.h"

#include <string>
#include <utility>

inline jet::NewTable exportScaleTable(std::string name) {
    return jet::NewTable{std::move(name),
                         {{"ID", jet::FieldType::Long},
                          {"名称", jet::FieldType::Text, 40},
                          {"说明", jet::FieldType::Memo},
                          {"金额", jet::FieldType::Currency},
                          {"日期", jet::FieldType::DateTime},
                          {"比率", jet::FieldType::Double}},
                         {}};
}

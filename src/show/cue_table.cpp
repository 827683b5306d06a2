#include "show/cue_table.h"

namespace {

// Table order matters: the query takes the last match, so the opening range (value 9) is listed
// after the first toys cues and wins at exactly 80.0 s.
constexpr CueEntry show_cues[] = {
    {80.0, 85.14, 1},       {85.14, 92.85, 2},      {92.85, 98.0, 3},       {104.94, 105.01, 4},
    {105.01, 105.134, 5},   {0.0, 80.0, 9},         {226.281, 227.281, 1},  {246.86, 250.282, 2},
    {227.281, 229.715, 3},  {274.329, 274.765, 21}, {274.765, 275.07, 21},  {275.07, 275.402, 21},
    {275.402, 276.031, 21}, {276.031, 276.356, 21}, {276.356, 276.688, 21}, {276.688, 277.752, 21},
    {277.752, 277.965, 21}, {277.965, 278.289, 21}, {278.289, 278.595, 21}, {278.595, 279.438, 21},
    {279.438, 280.102, 21}, {280.102, 280.741, 21}, {280.741, 281.178, 21}, {281.741, 291.178, 21},
    {267.442, 267.755, 21}, {267.775, 268.073, 21}, {268.073, 268.5, 21},   {268.5, 269.141, 21},
    {269.141, 274.329, 21}, {270.858, 271.07, 21},  {271.402, 271.713, 21},
};
static_assert(std::size(show_cues) == 31);

}  // namespace

void CueTable::initialise() {
    count_ = 0;
    for (const CueEntry& cue : show_cues) entries_[count_++] = cue;
}

int CueTable::query(double t) const {
    int value = 0;
    for (std::size_t i = 0; i < count_; ++i)
        if (entries_[i].start <= t && t <= entries_[i].end) value = entries_[i].value;
    return value;
}

#pragma once
// The card range boxes of the export, print and mail windows that a new count goes
// to: the total, the last card ("to"), or both.
enum class Range_Box { Total, To, Both };

constexpr bool Sets_Total(Range_Box which) { return which != Range_Box::To; }
constexpr bool Sets_To(Range_Box which) { return which != Range_Box::Total; }

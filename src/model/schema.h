#pragma once
// Builds the fields of every table of the data module. Internal to src/model.
class TDM;

namespace ModelSchema {
// Adds every field (nested ones included) to the tables of `dm`, which must all exist and be
// inactive.
void build(TDM& dm);
} // namespace ModelSchema

#include "tools/bench/Table.h"

#include "tools/bench/Measure.h"

#include <cstdio>

namespace BenchMeasure {

Table::Table(std::string title) : title(std::move(title)) {}

void Table::Add(const std::string& name, const std::vector<double>& values, int decimals, const std::string& target,
                double limit)
{
    rows.push_back({name, values, decimals, target, limit});
}

void Table::Print() const
{
    std::printf("\n%s\n%-60s %9s %9s %9s  %s\n", title.c_str(), "figure", "median", "min", "max", "target");
    for (const Row& row : rows) {
        const Spread spread = SpreadOf(row.values);
        std::printf("%-60s", row.name.c_str());
        for (const double v : {spread.median, spread.min, spread.max})
            std::printf(" %9.*f", row.decimals, v);
        if (!row.target.empty())
            std::printf("  %s%s", row.target.c_str(),
                        std::isnan(row.limit) ? "" : spread.median <= row.limit ? " (met)" : " (missed)");
        std::printf("\n");
    }
    std::fflush(stdout);
}

} // namespace BenchMeasure

#pragma once
// A printed table of benchmark figures: per row the median, minimum and maximum of the runs, and, where the
// figure has a target, the target and whether the median meets it.

#include <cmath>
#include <string>
#include <vector>

namespace BenchMeasure {

class Table {
public:
    explicit Table(std::string title);

    // `decimals` places after the point; a row with a `target` text is checked as median <= `limit`.
    void Add(const std::string& name, const std::vector<double>& values, int decimals,
             const std::string& target = "", double limit = NAN);
    void Print() const;

private:
    struct Row {
        std::string name;
        std::vector<double> values;
        int decimals = 0;
        std::string target;
        double limit = NAN;
    };
    std::string title;
    std::vector<Row> rows;
};

} // namespace BenchMeasure

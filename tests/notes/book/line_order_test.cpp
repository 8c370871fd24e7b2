// The order of the memo's lines against a plain vector: as lines come and go by the
// thousand, runs split and join, and every place and handle is still found.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "notes/book/line_order.h"

namespace numvora {
namespace {

TEST(LineOrder, PlacesAndHandlesFollowInsertsAndErasures) {
    using Handle = LineOrder::Handle;
    std::mt19937 random(41);
    const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    LineOrder order;
    std::vector<Handle> model;
    Handle next = 0;
    for (int step = 0; step < 600; ++step) {
        const std::size_t place = pick(model.size() + 1);
        // Now and then a whole memo's worth, mostly a few lines.
        const std::size_t n = 1 + pick(step % 25 == 0 ? 3000 : 40);
        if (pick(3) != 0) {
            std::vector<Handle> lines;
            for (std::size_t i = 0; i < n; ++i) lines.push_back(next++);
            order.insert(place, lines);
            model.insert(model.begin() + static_cast<std::ptrdiff_t>(place), lines.begin(), lines.end());
        } else {
            const auto first = model.begin() + static_cast<std::ptrdiff_t>(place);
            const auto last = first + static_cast<std::ptrdiff_t>(std::min(n, model.size() - place));
            order.erase(place, static_cast<std::size_t>(last - first));
            model.erase(first, last);
        }
        ASSERT_EQ(order.size(), model.size());
        for (std::size_t i = 0; i < model.size(); ++i) {
            ASSERT_EQ(order.at(i), model[i]) << "step " << step;
            ASSERT_EQ(order.place(model[i]), i) << "step " << step;
        }
        // Back up the memo too: a look-up starts at the run of the last one.
        for (std::size_t i = model.size(); i-- > 0;) ASSERT_EQ(order.at(i), model[i]) << "step " << step;
    }
}

}  // namespace
}  // namespace numvora

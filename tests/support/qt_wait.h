#pragma once
// The Qt tests' one wait: events are processed until `done` holds, at most
// `limitMs` ms (QTest::qWaitFor; 5 s unless the caller says otherwise).
// False when the time ran out.

#include <QTest>

#include <utility>

namespace talmorek::testing {

template <typename Done>
bool waitFor(Done&& done, int limitMs = 5000) {
    return QTest::qWaitFor(std::forward<Done>(done), limitMs);
}

}  // namespace talmorek::testing

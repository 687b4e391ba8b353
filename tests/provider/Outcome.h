// What an export answered: its result byte and the error word.
#pragma once

#include <ostream>

namespace provider_test {

struct Outcome {
  bool result;
  int error;
  friend bool operator==(const Outcome&, const Outcome&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Outcome& o) {
    return out << "{result " << o.result << ", error " << o.error << "}";
  }
};

inline constexpr Outcome kFailed{false, -1};
inline constexpr Outcome kUpToDate{true, 0};
inline constexpr Outcome kUpdateDue{false, 0};

}  // namespace provider_test

#include "inspect/contact-fade.h"

#include <limits>

#include "rb-system.h"

namespace {
// A body that never touched: its highlight has long faded, at any wall time.
constexpr double kNever = -std::numeric_limits<double>::infinity();
}  // namespace

void ContactFade::Note(const RBSystem& system, double now) {
  if (last_contact_.size() != system.BodyCount()) last_contact_.assign(system.BodyCount(), kNever);
  for (uint32_t i = 0; i < system.BodyCount(); ++i) {
    if (system.Body(i)->render_model.IsCollided()) last_contact_[i] = now;
  }
}

float ContactFade::Strength(uint32_t body, double now) const {
  if (body >= last_contact_.size()) return 0.0f;
  const double left = 1.0 - (now - last_contact_[body]) / kSeconds;
  if (left <= 0) return 0.0f;
  return left >= 1 ? 1.0f : static_cast<float>(left);
}

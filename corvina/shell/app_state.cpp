#include "app_state.h"

namespace corvina {

AppState& app() {
  static AppState state;
  return state;
}

}  // namespace corvina

#include "app/single_instance.h"

namespace tarnwick {

bool IsRunningInstanceTitle(std::string_view windowText, std::string_view title) {
    return windowText.substr(0, title.size()) == title;
}

}  // namespace tarnwick

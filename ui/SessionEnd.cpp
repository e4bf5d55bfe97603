#include "ui/SessionEnd.h"

namespace ui {
namespace {

bool g_ending = false;

} // namespace

void beginSessionEnd() {
    g_ending = true;
}

bool isSessionEnding() {
    return g_ending;
}

} // namespace ui

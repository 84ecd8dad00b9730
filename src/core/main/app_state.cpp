#include "main/app_state.h"

#include "main/log_table.h"

AppState::AppState() { initLogGrid(log_grid); }

#include "transfer/panelstatus.h"

namespace {
PanelStatusSink* g_sink = nullptr;
}

PanelStatusSink* panelStatusSink() {
    return g_sink;
}

void setPanelStatusSink(PanelStatusSink* sink) {
    g_sink = sink;
}

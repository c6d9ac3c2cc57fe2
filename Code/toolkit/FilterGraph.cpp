#include "FilterGraph.h"

TFilterGraph::~TFilterGraph() = default;

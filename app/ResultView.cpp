#include "app/ResultView.h"

ResultView::~ResultView() = default;

#pragma once

// The three pictures of a run over a range of laps: the figures with the
// class table, the histogram of lap times and the evolution curve. Each
// paints into any rectangle of any painter, so the window and the printed
// synthesis share them; sizes follow the rectangle, never the device's
// pixels, because on paper the painter works in logical units.
//
// A range that is empty, leaves the run, or is too short for the picture's
// scale gives the empty view: the bare box, no figures.

#include "runs/core/driver_run.h"

#include <QPointF>
#include <QRectF>

class QPainter;

namespace tallimo::runs {

// The views in the order of their buttons; the number is what the window
// keeps for the program run.
enum class RunView { Synthesis = 0, Histogram = 1, Curve = 2 };

void PaintRunSynthesis(QPainter& painter, const QRectF& area, const DriverRun& run, int from,
                       int to);
void PaintRunHistogram(QPainter& painter, const QRectF& area, const DriverRun& run, int from,
                       int to);
void PaintRunCurve(QPainter& painter, const QRectF& area, const DriverRun& run, int from, int to);
void PaintRunView(QPainter& painter, const QRectF& area, const DriverRun& run, int from, int to,
                  RunView view);

// The lap whose point on the curve lies under `point`, or 0. Only ranges of
// 1 to 99 laps can be pointed at.
int CurveLapAt(const QRectF& area, const DriverRun& run, int from, int to, const QPointF& point);

// The bubble with the lap time of `lap` beside its point, drawn over the
// curve; nothing when the lap has no point.
void PaintCurveBubble(QPainter& painter, const QRectF& area, const DriverRun& run, int from, int to,
                      int lap);

} // namespace tallimo::runs

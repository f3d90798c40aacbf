#include "ui/qt/program_icon.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <array>
#include <initializer_list>
#include <sstream>

namespace tolm {
namespace {

// Shapes in a 64 by 64 square, drawn in order.
enum class ShapeKind { RoundedRect, Circle, Triangle };

struct Shape {
  ShapeKind kind;
  // RoundedRect: x, y, width, height, corner radius. Circle: centre x, y,
  // radius. Triangle: three corners x1, y1, x2, y2, x3, y3.
  std::array<double, 6> v;
  const char* fill;
  const char* stroke;  // nullptr: no outline
  double strokeWidth;
};

constexpr double kViewSize = 64;

constexpr std::array<Shape, 8> kShapes = {{
    {ShapeKind::RoundedRect, {2, 2, 60, 60, 11, 0}, "#1f4e8c", nullptr, 0},  // the tile
    {ShapeKind::RoundedRect, {11, 8, 32, 42, 3, 0}, "#ffffff", nullptr, 0},  // the page
    {ShapeKind::RoundedRect, {16, 15, 22, 4, 2, 0}, "#1f4e8c", nullptr, 0},  // its lines
    {ShapeKind::RoundedRect, {16, 23, 16, 4, 2, 0}, "#1f4e8c", nullptr, 0},
    {ShapeKind::RoundedRect, {16, 31, 22, 4, 2, 0}, "#1f4e8c", nullptr, 0},
    {ShapeKind::RoundedRect, {16, 39, 12, 4, 2, 0}, "#1f4e8c", nullptr, 0},
    {ShapeKind::Circle, {45, 45, 14, 0, 0, 0}, "#2f9e44", "#ffffff", 3},   // the start button
    {ShapeKind::Triangle, {40, 37, 53, 45, 40, 53}, "#ffffff", nullptr, 0},  // its arrow
}};

void PaintShape(QPainter& p, const Shape& s) {
  p.setBrush(QColor(s.fill));
  if (s.stroke)
    p.setPen(QPen(QColor(s.stroke), s.strokeWidth));
  else
    p.setPen(Qt::NoPen);
  const auto& v = s.v;
  switch (s.kind) {
    case ShapeKind::RoundedRect:
      p.drawRoundedRect(QRectF(v[0], v[1], v[2], v[3]), v[4], v[4]);
      break;
    case ShapeKind::Circle:
      p.drawEllipse(QPointF(v[0], v[1]), v[2], v[2]);
      break;
    case ShapeKind::Triangle:
      p.drawPolygon(QPolygonF({QPointF(v[0], v[1]), QPointF(v[2], v[3]), QPointF(v[4], v[5])}));
      break;
  }
}

void WriteShape(std::ostream& out, const Shape& s) {
  const auto& v = s.v;
  switch (s.kind) {
    case ShapeKind::RoundedRect:
      out << "  <rect x=\"" << v[0] << "\" y=\"" << v[1] << "\" width=\"" << v[2] << "\" height=\"" << v[3]
          << "\" rx=\"" << v[4] << "\"";
      break;
    case ShapeKind::Circle:
      out << "  <circle cx=\"" << v[0] << "\" cy=\"" << v[1] << "\" r=\"" << v[2] << "\"";
      break;
    case ShapeKind::Triangle:
      out << "  <polygon points=\"" << v[0] << "," << v[1] << " " << v[2] << "," << v[3] << " " << v[4] << ","
          << v[5] << "\"";
      break;
  }
  out << " fill=\"" << s.fill << "\"";
  if (s.stroke) out << " stroke=\"" << s.stroke << "\" stroke-width=\"" << s.strokeWidth << "\"";
  out << "/>\n";
}

}  // namespace

QPixmap ProgramIconPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / kViewSize, size / kViewSize);
  for (const Shape& s : kShapes) PaintShape(p, s);
  return pixmap;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128}) icon.addPixmap(ProgramIconPixmap(size));
  return icon;
}

std::string ProgramIconSvg() {
  std::ostringstream out;
  out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kViewSize << "\" height=\"" << kViewSize
      << "\" viewBox=\"0 0 " << kViewSize << " " << kViewSize << "\">\n"
      << "  <title>Tolm</title>\n";
  for (const Shape& s : kShapes) WriteShape(out, s);
  out << "</svg>\n";
  return out.str();
}

}  // namespace tolm

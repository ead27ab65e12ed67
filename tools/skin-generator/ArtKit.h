#pragma once
// Shared colours, fonts and drawing strokes of the skin artwork, so that every picture
// speaks the same visual language (dark panels, light grey text, orange captions, red accents).

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace orvek::art {

// Colours of the scheme.
inline const QColor kBlack{0, 0, 0};
inline const QColor kText{234, 234, 234};
inline const QColor kField{58, 58, 58};
inline const QColor kOrange{247, 148, 29};
inline const QColor kRed{236, 28, 36};
inline const QColor kDimText{110, 110, 110};
inline const QColor kMidGrey{168, 168, 168};
inline const QColor kPanelTop{30, 30, 33};
inline const QColor kPanelBottom{16, 16, 18};
inline const QColor kPanelEdge{62, 62, 68};
inline const QColor kGreen{96, 204, 96};

// The scale the pictures are drawn at: 1 for the 1x artwork, 2 for the @2x artwork of
// high-density screens. Every picture is drawn in logical pixels; the scale only sets how many
// image pixels each holds.
void setPictureScale(int scale);
int pictureScale();
// A transparent image of the given logical size at the picture scale (its device pixel ratio),
// ready to paint on with antialiasing.
QImage blankImage(int width, int height);
// The language the pictures' words are drawn in: "en" (the words as the code writes them), "de",
// "ja" or "fr", taken from the program's own translations (translations/*.ts, context "Artwork"
// and the window's contexts for the words both share). False for a language without texts.
bool setPictureLanguage(const QString& code);
QString pictureLanguage();
// A word or line of the artwork in the picture language; `context` is the translation context.
QString say(const char* english, const char* context = "Artwork");
// A label row's text: a setting's or an info field's name as the window names it, else an
// artwork text.
QString labelText(const char* english);

// Sets up a painter with antialiasing for shapes and text.
void prepare(QPainter& painter);

// The sans-serif face of the skin (Liberation Sans) at a pixel size; for Japanese, Noto Sans CJK
// JP draws what Liberation Sans lacks.
QFont sansFont(int pixelSize, bool bold = false, bool italic = false);
// The largest pixel size not above `pixelSize` at which `text` fits into `maxWidth`.
QFont fittedFont(const QString& text, int maxWidth, int pixelSize, bool bold = false,
                 bool italic = false);

// Text in one line at a vertical middle, aligned left, centred or right within [left, right].
// A text wider than [left, right] is noted (takeOverflows): words must fit, never spill.
void drawLine(QPainter& painter, const QString& text, const QFont& font, const QColor& colour,
              qreal left, qreal right, qreal middleY, Qt::Alignment horizontal);
// The texts drawn wider than their room since the last call, one line each.
QStringList takeOverflows();
// A caption in orange, centred in the rectangle, on one or more lines split at '\n'.
void drawHeading(QPainter& painter, const QRectF& area, const QString& text, int pixelSize,
                 const QColor& colour = kOrange);
// A dark rounded panel with a fine edge and a short red accent in its top-left corner.
void drawPanel(QPainter& painter, const QRectF& area, qreal radius = 8);
// A horizontal hairline fading out at both ends, with a red glow in the middle when asked.
void drawFadingLine(QPainter& painter, qreal left, qreal right, qreal y, const QColor& colour,
                    bool redMiddle);
// A rounded face with a vertical gradient and a bevel: the common body of clickable pictures.
void drawButtonFace(QPainter& painter, const QRectF& area, const QColor& top, const QColor& bottom,
                    const QColor& edge, qreal radius = 8);

}  // namespace orvek::art

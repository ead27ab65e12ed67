#include "card/SetupCard.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cctype>

#include "platform/FileReplace.h"

namespace orvek {

namespace {

// Pixel sizes on the 150 dpi page: 24 px is 11.5 pt.
constexpr int kTitlePixels = 48;
constexpr int kHeadingPixels = 32;
constexpr int kBodyPixels = 24;
constexpr int kMargin = 90;
constexpr int kRowHeight = 40;
const QColor kInk(0, 0, 0);
const QColor kLabelInk(70, 70, 70);
const QColor kRule(150, 150, 150);

// The settings in the order and groups of the ESC SETUP page.
constexpr int kBasicKeys[] = {key::OperationMode,   key::ReverseSpeed, key::LowVoltCut,
                              key::DragBrake,       key::InitialBrake, key::FullBrake,
                              key::BrakeFrequency,  key::PowerProfile, key::DriveFrequency,
                              key::NeutralDeadBand, key::TempCutSet,   key::RotationMode};
constexpr int kTechnicalKeys[] = {key::BoostTiming, key::BoostRpm,   key::BoostAcc,
                                  key::TurboTiming, key::TurboSlope, key::TurboDelay};

QString text(const std::string& value) { return QString::fromStdString(value); }

QFont font(int pixels, bool bold) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    // No shaping, so no ligatures: "off" stays three letters when the PDF's text is searched or
    // copied, not "o" and an "ff" glyph.
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

class CardPainter {
public:
    CardPainter(QPainter& painter, const SetupCardContent& content)
        : p_(painter), content_(content) {}

    void paint() {
        p_.fillRect(QRect(0, 0, kCardWidthPixels, kCardHeightPixels), Qt::white);
        int y = kMargin;
        p_.setPen(kInk);
        p_.setFont(font(kTitlePixels, true));
        p_.drawText(QRect(kMargin, y, width(), kTitlePixels + 12), Qt::AlignLeft,
                    QStringLiteral("ORVEK Link \u2014 Setup Card"));
        y += kTitlePixels + 24;

        std::string device = content_.model.empty() ? "ESC" : content_.model;
        if (!content_.firmware.empty()) device += "  \u00B7  " + content_.firmware;
        if (!content_.family.empty()) device += "  \u00B7  " + content_.family + " family";
        y = line(y, device, true);
        if (!content_.sheetName.empty())
            y = line(y, "Setup sheet: " + content_.category + " / " + content_.sheetName, false);
        if (!content_.date.empty()) y = line(y, "Date: " + content_.date, false);
        y += 16;
        rule(y);
        y += 24;

        const int columnWidth = (width() - 60) / 2;
        const int left = kMargin;
        const int right = kMargin + columnWidth + 60;
        int leftY = heading(left, y, "Basic setup");
        for (int k : kBasicKeys) leftY = setting(left, leftY, columnWidth, k);
        int rightY = heading(right, y, "Technical setup");
        for (int k : kTechnicalKeys) rightY = setting(right, rightY, columnWidth, k);

        rightY += 24;
        bool notes = false;
        for (std::size_t k = 0; k < kInfoKeyCount; ++k) {
            if (content_.info[k].empty()) continue;
            if (!notes) rightY = heading(right, rightY, "Team driver notes");
            notes = true;
            rightY = row(right, rightY, columnWidth, InfoKeyNames()[k], content_.info[k]);
        }
        y = std::max(leftY, rightY) + 24;
        if (!content_.memo.empty()) {
            rule(y);
            y += 24;
            y = heading(kMargin, y, "Memo");
            p_.setFont(font(kBodyPixels, false));
            p_.setPen(kInk);
            const QRect area(kMargin, y, width(), kCardHeightPixels - y - kMargin - 40);
            p_.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text(content_.memo));
        }
        p_.setFont(font(18, false));
        p_.setPen(kLabelInk);
        p_.drawText(QRect(kMargin, kCardHeightPixels - kMargin, width(), 30), Qt::AlignLeft,
                    QStringLiteral("ORVEK Link " ORVEK_VERSION));
    }

private:
    int width() const { return kCardWidthPixels - 2 * kMargin; }

    int line(int y, const std::string& value, bool bold) {
        p_.setFont(font(kBodyPixels + (bold ? 4 : 0), bold));
        p_.setPen(kInk);
        p_.drawText(QRect(kMargin, y, width(), kRowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                    text(value));
        return y + kRowHeight;
    }
    void rule(int y) {
        p_.setPen(QPen(kRule, 2));
        p_.drawLine(kMargin, y, kCardWidthPixels - kMargin, y);
    }
    int heading(int x, int y, const char* title) {
        p_.setFont(font(kHeadingPixels, true));
        p_.setPen(kInk);
        p_.drawText(QRect(x, y, width(), kHeadingPixels + 14), Qt::AlignLeft | Qt::AlignVCenter,
                    QString::fromUtf8(title));
        return y + kHeadingPixels + 22;
    }
    int setting(int x, int y, int columnWidth, int keyNumber) {
        const std::string& value = content_.values[static_cast<std::size_t>(keyNumber)];
        return row(x, y, columnWidth, parameterTable()[static_cast<std::size_t>(keyNumber)].keyName,
                   value.empty() ? "\u2014" : value);
    }
    int row(int x, int y, int columnWidth, const char* label, const std::string& value) {
        const int labelWidth = columnWidth / 2;
        p_.setFont(font(kBodyPixels, false));
        p_.setPen(kLabelInk);
        p_.drawText(QRect(x, y, labelWidth, kRowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                    QString::fromUtf8(label));
        p_.setFont(font(kBodyPixels, true));
        p_.setPen(kInk);
        const QRect valueArea(x + labelWidth, y, columnWidth - labelWidth, kRowHeight);
        p_.drawText(
            valueArea, Qt::AlignLeft | Qt::AlignVCenter,
            QFontMetrics(p_.font()).elidedText(text(value), Qt::ElideRight, valueArea.width()));
        p_.setPen(QPen(QColor(220, 220, 220), 1));
        p_.drawLine(x, y + kRowHeight - 2, x + columnWidth, y + kRowHeight - 2);
        return y + kRowHeight;
    }

    QPainter& p_;
    const SetupCardContent& content_;
};

}  // namespace

bool setupCardIsPng(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".png";
}

std::error_code writeSetupCard(const SetupCardContent& content, const std::filesystem::path& file) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (setupCardIsPng(file)) {
        QImage image(kCardWidthPixels, kCardHeightPixels, QImage::Format_RGB32);
        image.setDotsPerMeterX(5906);  // 150 dpi
        image.setDotsPerMeterY(5906);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        CardPainter(painter, content).paint();
        painter.end();
        if (!image.save(&buffer, "PNG")) return std::make_error_code(std::errc::io_error);
    } else {
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setResolution(150);
        pdf.setTitle(QStringLiteral("ORVEK Link setup card"));
        pdf.setCreator(QStringLiteral("ORVEK Link " ORVEK_VERSION));
        QPainter painter(&pdf);
        if (!painter.isActive()) return std::make_error_code(std::errc::io_error);
        CardPainter(painter, content).paint();
        painter.end();
    }
    buffer.close();
    return replaceFile(file,
                       std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace orvek

#include "receipt/EscPosCanvas.h"

#include "printer/EscPosJob.h"
#include "printer/GbkText.h"
#include "printer/MonoBitmap.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double normalPoints = 9;

int times(double value) {
    return std::clamp(int(std::lround(value)), 1, 8);
}

} // namespace

EscPosCanvas::EscPosCanvas(EscPosJob& job, int paperDots) : m_job(job), m_paperDots(paperDots) {}

int EscPosCanvas::widthTimes(int points) {
    return times(points / normalPoints);
}

int EscPosCanvas::heightTimes(int points) {
    return times(points / normalPoints + 0.3);
}

void EscPosCanvas::setFont(int size, bool bold) {
    m_widthTimes = widthTimes(size);
    m_heightTimes = heightTimes(size);
    m_bold = bold;
}

int EscPosCanvas::textWidth(const std::string& text) {
    return GbkText::length(text) * EscPosJob::asciiDots * m_widthTimes;
}

int EscPosCanvas::textHeight(const std::string&) {
    return EscPosJob::lineDots * m_heightTimes;
}

void EscPosCanvas::applyFont() {
    if (!m_printed || m_widthTimes != m_printedWidth || m_heightTimes != m_printedHeight)
        m_job.setCharacterSize(m_widthTimes, m_heightTimes);
    if (!m_printed || m_bold != m_printedBold)
        m_job.setBold(m_bold);
    m_printed = true;
    m_printedWidth = m_widthTimes;
    m_printedHeight = m_heightTimes;
    m_printedBold = m_bold;
}

void EscPosCanvas::drawText(int, int, const std::string& text) {
    applyFont();
    m_job.printLine(text);
}

void EscPosCanvas::drawPicture(const PngImage& picture, int x, int, int width, int height) {
    m_job.printRaster(MonoBitmap::fromPicture(picture, std::max(0, x), width, height, m_paperDots));
}

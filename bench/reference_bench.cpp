// First paint of the reference picture, decode included, next to the floor:
// libjpeg decoding the same bytes alone. The paint should cost little more
// than the decode (target: within 1.3 times).
#include "reference_window/reference_image.h"
#include "reference_window/reference_picture.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

namespace {

const QByteArray &shippedJpeg()
{
    static const QByteArray jpeg = naklon::ReferencePicture().compressed();
    return jpeg;
}

void decodeAlone(benchmark::State &state)
{
    for (auto _ : state) {
        const QImage image = naklon::decodeJpeg(shippedJpeg());
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(decodeAlone)->Unit(benchmark::kMillisecond);

void firstPaint(benchmark::State &state)
{
    naklon::ReferenceImage view;
    view.resize(800, 600);
    QImage target(800, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        // A picture fresh from its bytes each time, so every paint decodes.
        naklon::ReferencePicture picture(shippedJpeg());
        view.setPicture(&picture);
        // Image1 is opaque: the window never fills its background first.
        view.render(&target, QPoint(), QRegion(), QWidget::DrawChildren);
        view.setPicture(nullptr);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(firstPaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Selecting a year and stepping through its ads, against decoding the same
// picture with QImageReader and scaling it smoothly to the normal view.
#include "benchutil.h"
#include "catalogue/lookahead.h"
#include "catalogue/selectyear.h"
#include "catalogue/stepping.h"

#include <QApplication>
#include <QImageReader>

namespace {

double baselineMs(const QString& path) {
    return timeMs([&] {
        QImageReader reader(path);
        const QImage img = reader.read();
        const QImage scaled = img.scaled(443, 555, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        Q_ASSERT(!scaled.isNull());
    });
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    BenchViewer v;
    const QSize photo(1200, 1600);
    // Twenty-four years with one first picture each: every selection is cold.
    const int years = workload(24, 4);
    QList<QString> firsts;
    for (int i = 0; i < years; ++i)
        firsts << v.writeAd(1964 + i, 0, photo, i);
    // A twelve-ad year to step through.
    const int adsInYear = workload(12, 3);
    QList<QString> twelve;
    for (int n = 0; n < adsInYear; ++n)
        twelve << (n == 0 ? firsts[0] : v.writeAd(1964, n, photo, 100 + n));
    v.show();
    Form1& form = *v.form;

    QList<double> ours, base;
    // A stride of 7 years: never the year the look-ahead prepared.
    for (int k = 0; k < years - 1; ++k) {
        const int i = 1 + (k * 7) % (years - 1);
        ours << settledStepMs(form, [&] { SelectYear(form, i); });
        base << baselineMs(firsts[i]);
    }
    report(
        QStringLiteral("SelectYear, cold 1200x1600 first picture (median of %1)").arg(ours.size()),
        median(ours), median(base), 1.2);

    SelectYear(form, 0);
    QCoreApplication::processEvents();
    form.lookAhead->waitForDone();
    QList<double> fwd, back, baseStep;
    for (int round = 0; round < 2; ++round)
        for (int n = 1; n <= adsInYear; ++n) {
            fwd << settledStepMs(form, [&] { StepForward(form); });
            baseStep << baselineMs(twelve[n % adsInYear]);
        }
    for (int round = 0; round < 2; ++round)
        for (int n = 0; n < adsInYear; ++n)
            back << settledStepMs(form, [&] { StepBack(form); });
    report(QStringLiteral("StepForward through a %1-ad year (median per ad)").arg(adsInYear),
           median(fwd), median(baseStep), 0.3);
    report(QStringLiteral("StepBack through a %1-ad year (median per ad)").arg(adsInYear),
           median(back), median(baseStep), 0.3);
    return benchExit();
}

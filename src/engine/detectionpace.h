#pragma once

#include <QtGlobal>

struct PortSettings;

// How much of the line the search for new sensors takes. The first sweep after
// a start waits for each probe's reply only as long as the line needs, so the
// sensors are there within seconds; the sweeps after it give the protocol's own
// window, so that a slow sensor is still found; once those have run, a probe
// goes out only now and then, and the line is left to the polls.
class DetectionPace
{
public:
    // A sensor that answers within this after its request has gone out is found
    // at once; a later one widens the window and is asked again.
    static constexpr int InitialMarginMs = 3;
    // One probe in this while the search runs in the background: a whole sweep of
    // 256 addresses within two minutes, at a few percent of the line.
    static constexpr int BackgroundIntervalMs = 400;

    // A first sweep again, with the initial margin.
    void restart();
    void finishSweep() { m_firstSweep = false; }
    bool isFirstSweep() const { return m_firstSweep; }

    // Input came that no exchange asked for, most likely an answer that came
    // after its window had closed: the probes that follow wait longer.
    void widen();
    // A late answer came so long after its request had gone out, which with
    // the window's wire time tells the sensor's latency: the probes that follow
    // wait that long and an eighth more, since sensors on one line answer alike,
    // and never less than before and a little more.
    void learn(qint64 answeredAfterMs, double wireMs);
    int marginMs() const { return m_marginMs; }
    // The reply window of a probe on this line: the request's and the reply's
    // bytes on the wire and the margin, never more than capMs.
    int windowMs(const PortSettings& settings, int requestBytes, int replyBytes, int capMs) const;

    bool isProbeDue(qint64 nowMs) const { return nowMs >= m_nextProbeMs; }
    void probeSent(qint64 nowMs) { m_nextProbeMs = nowMs + BackgroundIntervalMs; }

private:
    bool m_firstSweep = true;
    int m_marginMs = InitialMarginMs;
    qint64 m_nextProbeMs = 0;
};

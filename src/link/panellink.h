#pragma once
// The one interface the transfer talks to: an open link to the panel that moves one request and
// its reply at a time. The serial line and the cloud relay sit behind it; the sequencer knows
// nothing of either.
#include "link/panelframe.h"

#include <functional>

// Called for every frame put on or taken off the link (valid == false: damaged, or not ours).
using FrameTraceFn = std::function<void(bool sent, const QByteArray& bytes, bool valid)>;

class PanelLink {
public:
    virtual ~PanelLink() = default;
    virtual bool isOpen() const = 0;
    virtual void close() = 0;
    // One request and its reply, blocking inside the caller's tick, without an event loop. Every
    // call is a new attempt: the link stamps it with the next sequence value, which the reply
    // must repeat. SENDOK with reply set, or the TError of the failure (SENDFAULT: the link is
    // gone and is closed).
    TError exchange(const PanelFrame& request, PanelFrame& reply);
    void setTrace(FrameTraceFn trace) { m_trace = std::move(trace); }

protected:
    virtual TError exchangeAttempt(const PanelFrame& request, PanelFrame& reply) = 0;
    void trace(bool sent, const QByteArray& bytes, bool valid) const;
    const FrameTraceFn& traceFn() const { return m_trace; }

private:
    FrameTraceFn m_trace;
    quint8 m_sequence = 0;
};

// SPDX-License-Identifier: MIT
#include "IndicatorSim.h"

#include <QFile>

#include "SimPtyEndpoint.h"
#include "SimTcpEndpoint.h"

namespace {
// The model that keeps ID storage records and sends them on "\nXI\r".
constexpr int kIdStorageModel = 637;
}  // namespace

IndicatorSim::IndicatorSim(int model, QObject* parent)
    : QObject(parent),
      profile_(SimProfile::ForModel(model)),
      engine_(profile_, faults_, [this](const QByteArray& bytes) { Send(bytes); }),
      ticketSlots_(engine_, [this](const QByteArray& text) { traffic_.Note(text); }),
      idStorage_(engine_, model == kIdStorageModel, [this](const QByteArray& text) { traffic_.Note(text); }),
      pacer_([this](const QByteArray& bytes) {
          if (endpoint_) endpoint_->Write(bytes);
      }),
      inPacer_([this](const QByteArray& bytes) { engine_.Feed(bytes); })
{
    // A fault that pulls the cable runs from inside the endpoint's own notification.
    engine_.SetDisconnectHandler([this]() { QMetaObject::invokeMethod(this, &IndicatorSim::Unplug, Qt::QueuedConnection); });
}

IndicatorSim::~IndicatorSim()
{
    Stop();
}

void IndicatorSim::Attach(std::unique_ptr<SimEndpoint> endpoint)
{
    endpoint_ = std::move(endpoint);
    connect(endpoint_.get(), &SimEndpoint::BytesReceived, this, [this](const QByteArray& bytes) {
        traffic_.Add(SimTrafficLog::Direction::FromHost, bytes);
        inPacer_.Enqueue(bytes);
    });
    connect(endpoint_.get(), &SimEndpoint::HostConnected, this, [this]() {
        traffic_.Note("host connected");
        pacer_.Clear();
        inPacer_.Clear();
        ResetProtocol();
    });
}

void IndicatorSim::Send(const QByteArray& bytes)
{
    traffic_.Add(SimTrafficLog::Direction::ToHost, bytes);
    pacer_.Enqueue(bytes);
}

bool IndicatorSim::StartPty(QString* error)
{
    Stop();
    auto pty = std::make_unique<SimPtyEndpoint>();
    if (!pty->Open(error)) return false;
    Attach(std::move(pty));
    traffic_.Note("pty " + QFile::encodeName(Address()));
    return true;
}

bool IndicatorSim::MakeLink(const QString& linkPath, QString* error)
{
    if (!endpoint_) {
        if (error) *error = QStringLiteral("the simulator is not running");
        return false;
    }
    QFile::remove(linkPath);
    if (!QFile::link(Address(), linkPath)) {
        if (error) *error = QStringLiteral("cannot create the link %1").arg(linkPath);
        return false;
    }
    linkPath_ = linkPath;
    return true;
}

bool IndicatorSim::StartTcp(quint16 port, QString* error)
{
    Stop();
    auto tcp = std::make_unique<SimTcpEndpoint>();
    if (!tcp->Listen(port, error)) return false;
    Attach(std::move(tcp));
    traffic_.Note("tcp " + Address().toLatin1());
    return true;
}

QString IndicatorSim::Address() const
{
    return endpoint_ ? endpoint_->Address() : QString();
}

quint16 IndicatorSim::TcpPort() const
{
    const auto* tcp = qobject_cast<const SimTcpEndpoint*>(endpoint_.get());
    return tcp ? tcp->Port() : 0;
}

bool IndicatorSim::HostPresent() const
{
    return endpoint_ && endpoint_->HostPresent();
}

void IndicatorSim::Unplug()
{
    if (!endpoint_) return;
    traffic_.Note("unplugged");
    pacer_.Clear();
    inPacer_.Clear();
    endpoint_->Disconnect();
    Q_EMIT Unplugged();
}

void IndicatorSim::Stop()
{
    pacer_.Clear();
    inPacer_.Clear();
    if (endpoint_) {
        endpoint_->disconnect(this);
        endpoint_->Stop();
        endpoint_.reset();
    }
    if (!linkPath_.isEmpty()) {
        QFile::remove(linkPath_);
        linkPath_.clear();
    }
    ResetProtocol();
}

void IndicatorSim::ResetProtocol()
{
    engine_.Reset();
    ticketSlots_.Reset();
    idStorage_.Reset();
}

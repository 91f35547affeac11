// SPDX-License-Identifier: MIT
#include "SimPrinter.h"

#include <QFile>

#include "SimPtyEndpoint.h"

SimPrinter::SimPrinter(QObject* parent) : QObject(parent) {}

SimPrinter::~SimPrinter()
{
    Stop();
}

bool SimPrinter::Start(QString* error)
{
    Stop();
    auto pty = std::make_unique<SimPtyEndpoint>();
    if (!pty->Open(error)) return false;
    pty_ = std::move(pty);
    connect(pty_.get(), &SimEndpoint::BytesReceived, this,
            [this](const QByteArray& bytes) { traffic_.Add(SimTrafficLog::Direction::FromHost, bytes); });
    traffic_.Note("printer on pty " + QFile::encodeName(Address()));
    return true;
}

void SimPrinter::Stop()
{
    if (!pty_) return;
    pty_->disconnect(this);
    pty_->Stop();
    pty_.reset();
}

QString SimPrinter::Address() const
{
    return pty_ ? pty_->Address() : QString();
}

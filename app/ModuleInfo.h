#pragma once

#include <QString>

// The last known state of each module for the selected device. Plain values: readers get copies.

struct TorvoInfo
{
    bool registered = false;
    QString state;
    QString velkorId;
    QString version;
    bool hasUpdate = false;
    QString updatePackage;
    QString updateVersion;
};

struct GismtInfo
{
    QString gismtVelkorId;
    QString status;
    QString lastConnection;
};

struct KktInfo
{
    QString modelName;
    QString kktSerial;
    QString fnSerial;
    QString kktRnm;
    QString kktInn;
    QString shiftState;
};

struct LmInfo
{
    QString status;
    QString version;
    QString address;
    QString lastSync;
};

struct SoftwareInfo
{
    QString status;
    QString version;
    QString name;
    QString lastConnection;
};

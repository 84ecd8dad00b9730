#pragma once
// A log table built QSO by QSO for the chart and radio tests.

#include "main/app_state.h"
#include "main/log_table.h"

#include <cstdio>
#include <string>
#include <utility>

struct QsoSpec {
    QsoSpec(std::string kHz_ = {}, std::string time_ = {}, std::string date_ = "2025-03-29", std::string tx_ = {},
            std::string mode_ = "CW", std::string k_ = {}, std::string pts_ = {}, std::string band_ = {},
            std::string dxcc_ = {}, std::string call_ = "DL1ABC")
        : kHz(std::move(kHz_)), time(std::move(time_)), date(std::move(date_)), tx(std::move(tx_)),
          mode(std::move(mode_)), k(std::move(k_)), pts(std::move(pts_)), band(std::move(band_)),
          dxcc(std::move(dxcc_)), call(std::move(call_))
    {
    }
    std::string kHz;
    std::string time; // "hhmm"
    std::string date;
    std::string tx;
    std::string mode;
    std::string k;
    std::string pts;
    std::string band;
    std::string dxcc;
    std::string call;
};

struct QsoLog {
    AppState s;
    explicit QsoLog(const std::string& title = "TEST") { s.header.LogTitle = title; }
    QsoLog& add(const QsoSpec& q)
    {
        auto& g = s.log_grid;
        const int row = s.header.QsoCount + 1;
        if (g.RowCount() <= row) g.SetRowCount(row + 1);
        g.SetCell(lcNumber, row, std::to_string(row));
        g.SetCell(lcKHz, row, q.kHz);
        g.SetCell(lcTime, row, q.time);
        g.SetCell(lcDate, row, q.date);
        g.SetCell(lcTX, row, q.tx);
        g.SetCell(lcMode, row, q.mode);
        g.SetCell(lcK, row, q.k);
        g.SetCell(lcPts, row, q.pts);
        g.SetCell(lcBand, row, q.band);
        g.SetCell(lcDXCC, row, q.dxcc);
        g.SetCell(lcCallsign, row, q.call);
        s.header.QsoCount = row;
        if (row == 1) s.FirstQsoMinute = get_time_for_qso(g, 1, 0);
        return *this;
    }
    // n QSOs, one every `step` minutes from 00:00 of the 29th, all at kHz.
    QsoLog& addRun(int n, int step, const std::string& kHz = "14025", const std::string& pts = "1")
    {
        for (int i = 0; i < n; ++i) {
            const int m = i * step;
            char t[16];
            std::snprintf(t, sizeof t, "%02d%02d", (m / 60) % 24, m % 60);
            QsoSpec q;
            q.kHz = kHz;
            q.time = t;
            q.date = "2025-03-" + std::to_string(29 + m / 1440);
            q.pts = pts;
            add(q);
        }
        return *this;
    }
};

#include "print/print_jobs.h"

namespace komasu {

UnprintedJobs JobsNotCompleted(const SentJobs& sent) {
  UnprintedJobs out;
  for (int i = 0; i < sent.jobs.size(); ++i) {
    const SentJob& job = sent.jobs[i];
    if (job.state == JobState::kCanceled || job.state == JobState::kAborted) {
      out.dropped.append(i);
    } else if (sent.queue_gone && !job.listed && job.state != JobState::kCompleted) {
      out.unknown.append(i);
    }
  }
  return out;
}

QString DroppedJobsText(const QString& printer, bool queue_gone) {
  return (queue_gone ? QStringLiteral("プリンタ「%1」の印刷キューが、印刷の途中でなくなりました。")
                     : QStringLiteral("プリンタ「%1」が受け付けたページの印刷が取り消されました。"))
      .arg(printer);
}

QString PrintQueueRefusal(int ipp_status) {
  switch (ipp_status) {
    case 0x0401:  // forbidden
    case 0x0402:  // not authenticated
    case 0x0403:  // not authorized
    case 0x1000:  // authentication cancelled
      return QStringLiteral("このプリンタで印刷する権限がありません。");
    case 0x0406:  // not found
    case 0x0407:  // gone
      return QStringLiteral("プリンタが見つかりません。削除されたか、名前が変わりました。");
    case 0x040A:  // document format not supported
      return QStringLiteral("プリンタがこの印刷データの形式を受け付けません。");
    case 0x0502:  // service unavailable
      return QStringLiteral("印刷サービス（CUPS）に接続できません。");
    case 0x0506:  // not accepting jobs
      return QStringLiteral("プリンタが印刷の受け付けを停止しています。");
    case 0x0507:  // busy
      return QStringLiteral("プリンタが使用中です。しばらくしてから印刷してください。");
    default:
      return QStringLiteral("印刷サービスのエラー 0x%1 です。")
          .arg(ipp_status, 4, 16, QLatin1Char('0'));
  }
}

PrinterChoice ChoosePrinter(const QString& chosen, const QStringList& available,
                            const QString& default_printer) {
  if (available.contains(chosen)) return {chosen, {}};
  const QString fallback = available.contains(default_printer) ? default_printer
                           : available.isEmpty()               ? QString()
                                                               : available.first();
  if (fallback.isEmpty()) {
    return {{},
            QStringLiteral("プリンタが見つかりません。プリンタを接続して、"
                           "「プリンタの設定」で選んでから印刷してください。")};
  }
  if (chosen.isEmpty()) return {fallback, {}};
  return {fallback, QStringLiteral("「プリンタの設定」で選んだプリンタ「%1」が見つかりません。"
                                   "プリンタ「%2」で印刷します。")
                        .arg(chosen, fallback)};
}

}  // namespace komasu

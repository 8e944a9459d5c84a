<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>Dialogs</name>
    <message>
        <source>CSV形式で保存</source>
        <translation>Save as CSV</translation>
    </message>
    <message>
        <source>CSVファイル (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
</context>
<context>
    <name>FileIo</name>
    <message>
        <source>書き込みが禁止されたファイルです（読み取り専用）。書き込みを許可すると保存できます。</source>
        <translation>The file is write-protected (read-only). Allow writing to it to save.</translation>
    </message>
    <message>
        <source>通常のファイルではありません（フォルダー、デバイス、名前付きパイプなどは読みこめません）。</source>
        <translation>This is not a regular file (folders, devices, named pipes and the like cannot be read).</translation>
    </message>
    <message>
        <source>ディスクの空き容量が足りません。</source>
        <translation>There is not enough free disk space.</translation>
    </message>
    <message>
        <source>アクセスする権限がありません。</source>
        <translation>You do not have permission to access it.</translation>
    </message>
    <message>
        <source>読み取り専用のファイルシステムです。</source>
        <translation>The file system is read-only.</translation>
    </message>
    <message>
        <source>ファイルではなくフォルダーです。</source>
        <translation>It is a folder, not a file.</translation>
    </message>
    <message>
        <source>ファイルまたはフォルダーがありません。</source>
        <translation>The file or folder does not exist.</translation>
    </message>
    <message>
        <source>パスの途中にフォルダーではないものがあります。</source>
        <translation>A part of the path is not a folder.</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます。</source>
        <translation>The file is too large.</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます（%1 バイトまで読みこめます）。</source>
        <translation>The file is too large (up to %1 bytes can be read).</translation>
    </message>
    <message>
        <source>ファイル: %1</source>
        <translation>File: %1</translation>
    </message>
</context>
<context>
    <name>ImeSession</name>
    <message>
        <source>（マニュアルの「日本語入力」のページ）</source>
        <translation> (see the page &quot;Japanese input&quot; of the manual)</translation>
    </message>
    <message>
        <source> または </source>
        <translation> or </translation>
    </message>
    <message>
        <source>typorin: QT_IM_MODULE が設定されていないため、</source>
        <translation>typorin: QT_IM_MODULE is not set, so </translation>
    </message>
    <message>
        <source>Qt の fcitx モジュールで fcitx5 を使います (QT_IM_MODULE=fcitx)。</source>
        <translation>fcitx5 is used through Qt&apos;s fcitx module (QT_IM_MODULE=fcitx).</translation>
    </message>
    <message>
        <source>Qt の ibus モジュールで fcitx5 を使います (QT_IM_MODULE=ibus)。</source>
        <translation>fcitx5 is used through Qt&apos;s ibus module (QT_IM_MODULE=ibus).</translation>
    </message>
    <message>
        <source>Qt の ibus モジュールで ibus を使います (QT_IM_MODULE=ibus)。</source>
        <translation>ibus is used through Qt&apos;s ibus module (QT_IM_MODULE=ibus).</translation>
    </message>
    <message>
        <source>日本語入力がオフです。</source>
        <translation>Japanese input is off. </translation>
    </message>
    <message>
        <source>fcitx5 で日本語入力をオンにしてください。</source>
        <translation>Turn Japanese input on in fcitx5.</translation>
    </message>
    <message>
        <source> で日本語入力をオンにしてください。</source>
        <translation> turns Japanese input on.</translation>
    </message>
    <message>
        <source>全角/半角キーで日本語入力をオンにしてください。</source>
        <translation>Turn Japanese input on with the Zenkaku/Hankaku key.</translation>
    </message>
    <message>
        <source>日本語入力につながっていません。</source>
        <translation>Not connected to a Japanese input method. </translation>
    </message>
    <message>
        <source>Qt 6 用の fcitx5 のモジュール (fcitx5-frontend-qt6) をインストールして起動しなおしてください</source>
        <translation>Install fcitx5&apos;s module for Qt 6 (fcitx5-frontend-qt6) and start the program again</translation>
    </message>
    <message>
        <source>。</source>
        <translation>.</translation>
    </message>
    <message>
        <source>fcitx5 なら QT_IM_MODULE=fcitx、ibus なら QT_IM_MODULE=ibus を設定して起動しなおしてください</source>
        <translation>Set QT_IM_MODULE=fcitx for fcitx5 or QT_IM_MODULE=ibus for ibus and start the program again</translation>
    </message>
</context>
<context>
    <name>ShiftJis</name>
    <message>
        <source>この文字を削除するか置き換えてから保存してください。</source>
        <translation>Delete or replace this character, then save.</translation>
    </message>
    <message>
        <source>「%1」(%2 行目) は Shift_JIS で保存できない文字です。<byte value="xd"/>
</source>
        <translation>&quot;%1&quot; (line %2) is a character that cannot be saved in Shift_JIS.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>タイトルの「%1」は Shift_JIS で保存できない文字です。<byte value="xd"/>
</source>
        <translation>&quot;%1&quot; in the title is a character that cannot be saved in Shift_JIS.<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>TKbClass</name>
    <message>
        <source>小指</source>
        <translation>pinky</translation>
    </message>
    <message>
        <source>薬指</source>
        <translation>ring</translation>
    </message>
    <message>
        <source>中指</source>
        <translation>mid</translation>
    </message>
    <message>
        <source>人差し指</source>
        <translation>index</translation>
    </message>
</context>
<context>
    <name>TKbClassEx</name>
    <message>
        <source>  [Space]キーで繰り返し    [Enter]キーで次の文字列</source>
        <translation>  [Space] to repeat    [Enter] for the next string</translation>
    </message>
    <message>
        <source>終了しました。</source>
        <translation>Finished.</translation>
    </message>
</context>
<context>
    <name>TfrmAnalysis</name>
    <message>
        <source>TYPORIN  かな別の分析</source>
        <translation>TYPORIN  Kana analysis</translation>
    </message>
    <message>
        <source>期間(&amp;P):</source>
        <translation>&amp;Period:</translation>
    </message>
    <message>
        <source>すべて</source>
        <translation>All</translation>
    </message>
    <message>
        <source>最近30日</source>
        <translation>Last 30 days</translation>
    </message>
    <message>
        <source>最近7日</source>
        <translation>Last 7 days</translation>
    </message>
    <message>
        <source>色分け:</source>
        <translation>Colours:</translation>
    </message>
    <message>
        <source>正確さ(&amp;A)</source>
        <translation>&amp;Accuracy</translation>
    </message>
    <message>
        <source>速さ(&amp;V)</source>
        <translation>Spee&amp;d</translation>
    </message>
    <message>
        <source>苦手克服ドリル</source>
        <translation>Weak kana</translation>
    </message>
    <message>
        <source>苦手なかなを多く含むドリルを、メインウィンドウで始めます</source>
        <translation>Starts a drill rich in your weak kana in the main window</translation>
    </message>
    <message>
        <source>CSV形式で保存(&amp;S)...</source>
        <translation>&amp;Save as CSV...</translation>
    </message>
    <message>
        <source>統計を消去</source>
        <translation>Clear stats</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>キーボード</source>
        <translation>Keyboard</translation>
    </message>
    <message>
        <source>五十音表</source>
        <translation>Kana chart</translation>
    </message>
    <message>
        <source>日ごとの推移</source>
        <translation>Day by day</translation>
    </message>
    <message>
        <source>タッチタイプ・逐次入力・一括入力の統計をすべて消去します。<byte value="xd"/>
消去した統計は元に戻せません。よろしいですか？<byte value="xd"/>
<byte value="xd"/>
（グラフの練習記録と設定はそのまま残ります。）</source>
        <translation>All statistics of touch typing, sequential input and bulk input will be cleared.<byte value="xd"/>
Cleared statistics cannot be restored. Continue?<byte value="xd"/>
<byte value="xd"/>
(The practice records of the graphs and the settings stay.)</translation>
    </message>
    <message>
        <source>まだ統計がありません。

タッチタイプで練習すると、かなとキーごとの正確さと速さ、苦手なかながここに表示されます。
逐次入力で練習すると、変換の確定がうまくいった割合と、1 文字あたりの打鍵数が「日ごとの推移」に表示されます。</source>
        <translation>No statistics yet.

Practise touch typing and the accuracy and speed of every kana and key, and your weak kana, appear here.
Practise sequential input and the share of conversions committed right and the keys per character appear under &quot;Day by day&quot;.</translation>
    </message>
    <message>
        <source>この期間には統計がありません。</source>
        <translation>No statistics in this period.</translation>
    </message>
    <message>
        <source>CSVファイルの保存に失敗しました。<byte value="xd"/>
</source>
        <translation>The CSV file could not be saved.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>ヘルプファイルがありません。</source>
        <translation>The help file is missing.</translation>
    </message>
    <message>
        <source>かな</source>
        <translation>Kana</translation>
    </message>
    <message>
        <source>つづり（割合・中央値）</source>
        <translation>Spellings (share, median)</translation>
    </message>
    <message>
        <source>回数</source>
        <translation>Times</translation>
    </message>
    <message>
        <source>正確さ%</source>
        <translation>Accuracy %</translation>
    </message>
    <message>
        <source>中央値ms</source>
        <translation>Median ms</translation>
    </message>
    <message>
        <source>打ち間違い</source>
        <translation>Mistyped</translation>
    </message>
    <message>
        <source>時間の変化</source>
        <translation>Time trend</translation>
    </message>
    <message>
        <source>正確さの変化</source>
        <translation>Accuracy trend</translation>
    </message>
    <message>
        <source>苦手度</source>
        <translation>Weakness</translation>
    </message>
    <message>
        <source>★は苦手なかな（苦手度の高い %1 個まで）</source>
        <translation>★ marks a weak kana (up to the %1 weakest)</translation>
    </message>
    <message>
        <source>打ったつづりと、その割合と中央値（ミリ秒）</source>
        <translation>The spellings typed, with their share and median (milliseconds)</translation>
    </message>
    <message>
        <source>この期間に打った回数</source>
        <translation>Times typed in this period</translation>
    </message>
    <message>
        <source>ミスなしで打てた割合（%）</source>
        <translation>Share typed without a miss (%)</translation>
    </message>
    <message>
        <source>前のキーから打ち終わるまでの時間の中央値（ミリ秒）</source>
        <translation>Median time from the previous key to the last key (milliseconds)</translation>
    </message>
    <message>
        <source>いちばん多い打ち間違い（正しいキー→打ったキー）</source>
        <translation>The most frequent mistyping (right key → key typed)</translation>
    </message>
    <message>
        <source>最近 %1 日の中央値とそれより前の中央値の差（ミリ秒。マイナスは速くなった）</source>
        <translation>Median of the last %1 days minus the median before (milliseconds; negative is faster)</translation>
    </message>
    <message>
        <source>最近 %1 日の正確さとそれより前の正確さの差（ポイント。プラスは良くなった）</source>
        <translation>Accuracy of the last %1 days minus the accuracy before (points; positive is better)</translation>
    </message>
    <message>
        <source>ミスと遅さを、あなた自身の平均と比べた数値（1.0 が平均。%1 回以上打ったかなだけ）</source>
        <translation>Misses and slowness against your own average (1.0 is average; only kana typed %1 times or more)</translation>
    </message>
    <message>
        <source>期間内の記録: %1〜%2</source>
        <translation>Records in the period: %1 to %2</translation>
    </message>
    <message>
        <source>タッチタイプ %1 回（かな %2 字）&#x3000;逐次入力の確定 %3 回</source>
        <translation>Touch typing: %1 exercises (%2 kana)   Sequential input: %3 commits</translation>
    </message>
    <message>
        <source>正確さ（%）</source>
        <translation>Accuracy (%)</translation>
    </message>
    <message>
        <source>中央値（ミリ秒）</source>
        <translation>Median (ms)</translation>
    </message>
    <message>
        <source>良い</source>
        <translation>Good</translation>
    </message>
    <message>
        <source>苦手</source>
        <translation>Weak</translation>
    </message>
    <message>
        <source>記録なし</source>
        <translation>No records</translation>
    </message>
    <message>
        <source>タッチタイプ: かな／分</source>
        <translation>Touch typing: kana/min</translation>
    </message>
    <message>
        <source>タッチタイプ: 正確さ（%）</source>
        <translation>Touch typing: accuracy (%)</translation>
    </message>
    <message>
        <source>逐次入力: 確定が正しかった割合（%）</source>
        <translation>Sequential input: commits that were right (%)</translation>
    </message>
    <message>
        <source>逐次入力: 確定した 1 文字あたりの打鍵数</source>
        <translation>Sequential input: keys per committed character</translation>
    </message>
    <message>
        <source>記録がありません</source>
        <translation>No records</translation>
    </message>
</context>
<context>
    <name>TfrmCourse</name>
    <message>
        <source>かなを少しずつ覚えるコースです。いまのステージの文字をくり返し打つと、次のかなが加わります。
練習するステージを選んでください。</source>
        <translation>A course that teaches the kana a few at a time. Type the characters of the current stage again and again and the next kana join.
Choose the stage to practise.</translation>
    </message>
    <message>
        <source>習得済み</source>
        <translation>Mastered</translation>
    </message>
    <message>
        <source>練習中 %1/%2</source>
        <translation>Practising %1/%2</translation>
    </message>
    <message>
        <source>まだ</source>
        <translation>Not yet</translation>
    </message>
    <message>
        <source>TYPORIN  かなコース</source>
        <translation>TYPORIN  Kana course</translation>
    </message>
    <message>
        <source>ステージ</source>
        <translation>Stage</translation>
    </message>
    <message>
        <source>かな</source>
        <translation>Kana</translation>
    </message>
    <message>
        <source>状態</source>
        <translation>State</translation>
    </message>
    <message>
        <source>練習する(&amp;P)</source>
        <translation>&amp;Practise</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>TfrmEditor</name>
    <message>
        <source>TYPORIN エディタ</source>
        <translation>TYPORIN Editor</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>レジスタ(&amp;R)</source>
        <translation>&amp;Registers</translation>
    </message>
    <message>
        <source>テキストビューア(&amp;V)</source>
        <translation>&amp;Text viewer</translation>
    </message>
    <message>
        <source>新規作成(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>新規作成</source>
        <translation>New</translation>
    </message>
    <message>
        <source>開く(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>上書き保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>右端で折り返す</source>
        <translation>Wrap at the right edge</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation>Ctrl+Z</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>切り取り</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Ctrl+X</source>
        <translation>Ctrl+X</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation>Ctrl+C</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Ctrl+V</source>
        <translation>Ctrl+V</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Ctrl+Del</source>
        <translation>Ctrl+Del</translation>
    </message>
    <message>
        <source>すべてを選択(&amp;A)</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>現在編集中の文をレジスタへ登録(&amp;A)</source>
        <translation>&amp;Add the text being edited to a register</translation>
    </message>
    <message>
        <source>現在編集中の文をレジスタへ追加</source>
        <translation>Add the text being edited to a register</translation>
    </message>
    <message>
        <source>レジスタの選択されている文を削除(&amp;S)</source>
        <translation>Delete the &amp;selected sentence of the register</translation>
    </message>
    <message>
        <source>レジスタの選択されている文を削除</source>
        <translation>Delete the selected sentence of the register</translation>
    </message>
    <message>
        <source>テキストファイルをレジスタへ登録(&amp;F)</source>
        <translation>Add a text &amp;file to a register</translation>
    </message>
    <message>
        <source>登録用のファイルを新規作成する(&amp;N)</source>
        <translation>&amp;New register file</translation>
    </message>
    <message>
        <source>登録用のファイルを新規作成する</source>
        <translation>New register file</translation>
    </message>
    <message>
        <source>登録用のファイルを削除(&amp;D)</source>
        <translation>&amp;Delete a register file</translation>
    </message>
    <message>
        <source>登録用のファイルを削除</source>
        <translation>Delete a register file</translation>
    </message>
    <message>
        <source>レジスタの情報を更新(&amp;R)</source>
        <translation>&amp;Reload the registers</translation>
    </message>
    <message>
        <source>テキストビューアの表示(&amp;V)</source>
        <translation>Show the text &amp;viewer</translation>
    </message>
    <message>
        <source>開く(&amp;O)</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>ファイルオープンエラー<byte value="xd"/>
</source>
        <translation>The file could not be opened<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>ファイルを保存できませんでした。<byte value="xd"/>
</source>
        <translation>The file could not be saved.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>無題.txt</source>
        <translation>Untitled.txt</translation>
    </message>
    <message>
        <source>テキストファイル(*.txt) (*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
    <message>
        <source>ヘルプファイルがありません。</source>
        <translation>The help file is missing.</translation>
    </message>
    <message>
        <source>テキストファイル ( *.txt ) (*.txt);;すべてのファイル ( *.* ) (*)</source>
        <translation>Text files (*.txt);;All files (*)</translation>
    </message>
    <message>
        <source>TYPORIN  エディタ  無題</source>
        <translation>TYPORIN  Editor  Untitled</translation>
    </message>
    <message>
        <source>TYPORIN  エディタ  </source>
        <translation>TYPORIN  Editor  </translation>
    </message>
    <message>
        <source>変更あり</source>
        <translation>Modified</translation>
    </message>
    <message>
        <source>上書き</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>挿入</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>ファイル </source>
        <translation>The file </translation>
    </message>
    <message>
        <source> の内容が変更されています。<byte value="xd"/>
変更を保存しますか?</source>
        <translation> has been changed.<byte value="xd"/>
Save the changes?</translation>
    </message>
    <message>
        <source>ファイル 無題 の内容が変更されています。<byte value="xd"/>
無題.txt として保存します。<byte value="xd"/>
変更を保存しますか?</source>
        <translation>The untitled file has been changed.<byte value="xd"/>
It is saved as Untitled.txt.<byte value="xd"/>
Save the changes?</translation>
    </message>
    <message>
        <source>ファイル 無題 の内容が変更されています。<byte value="xd"/>
名前を付けて保存します。<byte value="xd"/>
変更を保存しますか?</source>
        <translation>The untitled file has been changed.<byte value="xd"/>
It is saved under a name you give.<byte value="xd"/>
Save the changes?</translation>
    </message>
    <message>
        <source>タイトル </source>
        <translation>The title </translation>
    </message>
    <message>
        <source>無題</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>ファイル名には次の文字は使えません。<byte value="xd"/>
\ / : , ; * ? &quot; &lt; &gt; |</source>
        <translation>A file name cannot contain these characters:<byte value="xd"/>
\ / : , ; * ? &quot; &lt; &gt; |</translation>
    </message>
    <message>
        <source>ファイル名を入力してください</source>
        <translation>Enter a file name</translation>
    </message>
    <message>
        <source> はファイル名に使用できません。</source>
        <translation> cannot be used as a file name.</translation>
    </message>
    <message>
        <source> に登録します。<byte value="xd"/>
タイトルを入力してください。</source>
        <translation>: the text is added to this register.<byte value="xd"/>
Enter a title.</translation>
    </message>
    <message>
        <source>タイトルがないので登録できません。</source>
        <translation>The text cannot be added without a title.</translation>
    </message>
    <message>
        <source> が存在しません。<byte value="xd"/>
登録作業を中止します。</source>
        <translation> does not exist.<byte value="xd"/>
The text is not added.</translation>
    </message>
    <message>
        <source>登録できませんでした。<byte value="xd"/>
</source>
        <translation>The text could not be added.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>文が選択されていません。</source>
        <translation>No sentence is selected.</translation>
    </message>
    <message>
        <source>「</source>
        <translation>The sentence &quot;</translation>
    </message>
    <message>
        <source>」 を削除します。</source>
        <translation>&quot; will be deleted.</translation>
    </message>
    <message>
        <source>削除できませんでした。<byte value="xd"/>
</source>
        <translation>The sentence could not be deleted.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>保存用のフォルダを作成できませんでした。 </source>
        <translation>The folder to save in could not be created. </translation>
    </message>
    <message>
        <source>文章登録ファイルの新規作成</source>
        <translation>New register file</translation>
    </message>
    <message>
        <source>作成するファイル名を入力してください。</source>
        <translation>Enter the name of the file to create.</translation>
    </message>
    <message>
        <source>新規ファイル</source>
        <translation>New file</translation>
    </message>
    <message>
        <source>同名のファイルがあります。<byte value="xd"/>
［はい］ボタンを押すとファイルの内容が消去されます。<byte value="xd"/>
［いいえ］ボタンを押すとファイル作成の処理を終了します。</source>
        <translation>A file of that name exists.<byte value="xd"/>
[Yes] clears the file&apos;s contents.<byte value="xd"/>
[No] stops creating the file.</translation>
    </message>
    <message>
        <source>ファイルを作成できませんでした。<byte value="xd"/>
</source>
        <translation>The file could not be created.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>削除するファイルが選択されていません。</source>
        <translation>No file to delete is selected.</translation>
    </message>
    <message>
        <source> を削除します。</source>
        <translation> will be deleted.</translation>
    </message>
    <message>
        <source>ファイルを削除できませんでした。<byte value="xd"/>
</source>
        <translation>The file could not be deleted.<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>TfrmGraphJap</name>
    <message>
        <source>TYPORIN  グラフ</source>
        <translation>TYPORIN  Graphs</translation>
    </message>
    <message>
        <source>入力速度（例文文字数）</source>
        <translation>Input speed (example chars)</translation>
    </message>
    <message>
        <source>一致率</source>
        <translation>Match rate</translation>
    </message>
    <message>
        <source>赤は脱字率、青は余字率</source>
        <translation>Red: omissions, blue: extras</translation>
    </message>
    <message>
        <source>漢字含有率</source>
        <translation>Kanji share</translation>
    </message>
    <message>
        <source>入力モード(&amp;M)</source>
        <translation>&amp;Mode</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>記録の削除(&amp;D)</source>
        <translation>&amp;Delete records</translation>
    </message>
    <message>
        <source>CSV形式で保存(&amp;S)...</source>
        <translation>&amp;Save as CSV...</translation>
    </message>
    <message>
        <source>逐次入力(&amp;P)</source>
        <translation>&amp;Sequential input</translation>
    </message>
    <message>
        <source>一括入力（一括比較）(&amp;A)</source>
        <translation>Bulk input (compared &amp;as a whole)</translation>
    </message>
    <message>
        <source>一括入力（行ごとに比較）(&amp;L)</source>
        <translation>Bulk input (compared &amp;line by line)</translation>
    </message>
    <message>
        <source>削除する記録のタイトルが選択されていません。<byte value="xd"/>
<byte value="xd"/>
削除したいタイトルをマウスでクリックして選択状態にしてください。</source>
        <translation>No title of records to delete is selected.<byte value="xd"/>
<byte value="xd"/>
Click the title whose records you want to delete.</translation>
    </message>
    <message>
        <source>&#x3000;「すべて表示」が選択されているときは<byte value="xd"/>
記録の削除はできません。<byte value="xd"/>
削除できるのは個別のデータのみです。</source>
        <translation>Records cannot be deleted while &quot;Show all&quot; is selected.<byte value="xd"/>
Only the records of one title can be deleted.</translation>
    </message>
    <message>
        <source> を削除します。</source>
        <translation> will be deleted.</translation>
    </message>
    <message>
        <source>CSVファイルの保存に失敗しました。<byte value="xd"/>
</source>
        <translation>The CSV file could not be saved.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>ヘルプファイルがありません。</source>
        <translation>The help file is missing.</translation>
    </message>
    <message>
        <source>逐次入力モードの記録</source>
        <translation>Sequential input</translation>
    </message>
    <message>
        <source>一括入力（一括比較）モードの記録</source>
        <translation>Bulk input, compared whole</translation>
    </message>
    <message>
        <source>一括入力（行ごとに比較）モードの記録</source>
        <translation>Bulk input, line by line</translation>
    </message>
    <message>
        <source>データ数 </source>
        <translation>Records: </translation>
    </message>
    <message>
        <source>TYPORIN  グラフ  </source>
        <translation>TYPORIN  Graphs  </translation>
    </message>
    <message>
        <source>誤</source>
        <translation>M</translation>
    </message>
</context>
<context>
    <name>TfrmMain</name>
    <message>
        <source>TYPORIN</source>
        <translation>TYPORIN</translation>
    </message>
    <message>
        <source>↑</source>
        <translation>↑</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>練習モード(&amp;M)</source>
        <translation>&amp;Mode</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>ツール(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>開く(&amp;O)</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>タッチタイプ(&amp;T)</source>
        <translation>&amp;Touch typing</translation>
    </message>
    <message>
        <source>タッチタイプ</source>
        <translation>Touch typing</translation>
    </message>
    <message>
        <source>逐次入力(&amp;P)</source>
        <translation>&amp;Sequential input</translation>
    </message>
    <message>
        <source>逐次入力</source>
        <translation>Sequential input</translation>
    </message>
    <message>
        <source>一括入力(&amp;A)</source>
        <translation>&amp;Bulk input</translation>
    </message>
    <message>
        <source>一括入力</source>
        <translation>Bulk input</translation>
    </message>
    <message>
        <source>比較する(&amp;C)</source>
        <translation>&amp;Compare</translation>
    </message>
    <message>
        <source>比較する F5</source>
        <translation>Compare F5</translation>
    </message>
    <message>
        <source>F5</source>
        <translation>F5</translation>
    </message>
    <message>
        <source>行ごとに比較(&amp;L)</source>
        <translation>Compare &amp;line by line</translation>
    </message>
    <message>
        <source>レジスタの情報を更新(&amp;R)</source>
        <translation>&amp;Reload the registers</translation>
    </message>
    <message>
        <source>自動行送り(&amp;L)</source>
        <translation>Auto line &amp;feed</translation>
    </message>
    <message>
        <source>自動行送り</source>
        <translation>Auto line feed</translation>
    </message>
    <message>
        <source>設定オプション(&amp;O)...</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>設定オプション</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>エディタ(&amp;E)...</source>
        <translation>&amp;Editor...</translation>
    </message>
    <message>
        <source>エディタ</source>
        <translation>Editor</translation>
    </message>
    <message>
        <source>グラフ(&amp;G)...</source>
        <translation>&amp;Graphs...</translation>
    </message>
    <message>
        <source>グラフ</source>
        <translation>Graphs</translation>
    </message>
    <message>
        <source>かな別の分析(&amp;K)...</source>
        <translation>&amp;Kana analysis...</translation>
    </message>
    <message>
        <source>かな別の分析</source>
        <translation>Kana analysis</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;V)...</source>
        <translation>&amp;About TYPORIN...</translation>
    </message>
    <message>
        <source>かなコース(&amp;K)...</source>
        <translation>&amp;Kana course...</translation>
    </message>
    <message>
        <source>苦手克服ドリル(&amp;W)</source>
        <translation>&amp;Weakness drill</translation>
    </message>
    <message>
        <source>間違えた文字列を練習(&amp;R)</source>
        <translation>&amp;Retry the strings you missed</translation>
    </message>
    <message>
        <source>比較できませんでした。<byte value="xd"/>
</source>
        <translation>The texts could not be compared.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>行ごとに比較</source>
        <translation>Line by line</translation>
    </message>
    <message>
        <source>TYPORIN へようこそ。<byte value="xd"/>
<byte value="xd"/>
練習のしかたは三つです。ツールバーか「練習モード」メニューで選びます。<byte value="xd"/>
・タッチタイプ：キーボードの図が次のキーと指を示します。ローマ字のキーを一つずつ打ちます。<byte value="xd"/>
・逐次入力：例文を日本語入力で先頭から入力します。確定するたびに確かめます。<byte value="xd"/>
・一括入力：例文を最後まで自由に入力して、F5 で比べます。<byte value="xd"/>
<byte value="xd"/>
左の一覧で文章をクリックすると練習が始まります。<byte value="xd"/>
くわしくは F1 キーでマニュアルを開いてください。</source>
        <translation>Welcome to TYPORIN.<byte value="xd"/>
<byte value="xd"/>
There are three ways to practise; choose one on the tool bar or in the &quot;Mode&quot; menu.<byte value="xd"/>
- Touch typing: the keyboard picture shows the next key and finger. You type romaji keys one by one.<byte value="xd"/>
- Sequential input: you type the example from the start with the Japanese input method; every commit is checked.<byte value="xd"/>
- Bulk input: you type the whole example freely, then compare with F5.<byte value="xd"/>
<byte value="xd"/>
Click a text in the list on the left to start.<byte value="xd"/>
Press F1 to open the manual.</translation>
    </message>
    <message>
        <source>前回の終了時に、エディタで保存されていなかった文章を次のファイルに残しました。<byte value="xd"/>
</source>
        <translation>When the program ended last time, the editor&apos;s unsaved text was kept in this file:<byte value="xd"/>
</translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
エディタで開きますか？<byte value="xd"/>
（「いいえ」のときはファイルをそのまま残し、次の起動時にもたずねます。）</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
Open it in the editor?<byte value="xd"/>
(With &quot;No&quot; the file stays, and you are asked again at the next start.)</translation>
    </message>
    <message>
        <source>データファイルの読みこみに失敗しました。<byte value="xd"/>
設定値や練習記録のデータはすべて初期化されます。</source>
        <translation>The data file could not be read.<byte value="xd"/>
All settings and practice records start afresh.</translation>
    </message>
    <message>
        <source>データファイルの書き込みに失敗しました。<byte value="xd"/>
</source>
        <translation>The data file could not be written.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
保存せずに終了しますか？</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
Quit without saving?</translation>
    </message>
    <message>
        <source>ヘルプファイルがありません。</source>
        <translation>The help file is missing.</translation>
    </message>
    <message>
        <source>間違えた文字列</source>
        <translation>Strings you missed</translation>
    </message>
    <message>
        <source>統計ファイルが使えないため、この練習はできません。</source>
        <translation>This exercise is not available: the statistics file cannot be used.</translation>
    </message>
    <message>
        <source>求む！&#x3000;バグ・不具合報告&#x3000;質問もＯＫ！</source>
        <translation>Bug reports and questions welcome!</translation>
    </message>
    <message>
        <source>ここをクリック→</source>
        <translation>Click here → </translation>
    </message>
    <message>
        <source><byte value="xd"/>
登録ファイルを読みこみなおして表示を更新してください。</source>
        <translation><byte value="xd"/>
Reload the register files to bring the lists up to date.</translation>
    </message>
    <message>
        <source>チェックマークを書きこめませんでした。<byte value="xd"/>
</source>
        <translation>The check mark could not be written.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>テキストファイル (*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
    <message>
        <source>ファイルを読みこめませんでした。<byte value="xd"/>
</source>
        <translation>The file could not be read.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>ミスなし</source>
        <translation>No misses</translation>
    </message>
    <message>
        <source>間違えたかな </source>
        <translation>Kana missed: </translation>
    </message>
    <message>
        <source>改行（Enter）を入力してください。</source>
        <translation>Type a line break (Enter).</translation>
    </message>
    <message>
        <source>入力判定エラー<byte value="xd"/>
次の文字列を表示します。</source>
        <translation>The key could not be judged.<byte value="xd"/>
The next string is shown.</translation>
    </message>
    <message>
        <source>文字列の比較中にエラーが起きました。<byte value="xd"/>
入力できなくなったときは読み込み直してください。</source>
        <translation>An error occurred while comparing the strings.<byte value="xd"/>
If you cannot type any more, load the text again.</translation>
    </message>
</context>
<context>
    <name>TfrmRegiBox</name>
    <message>
        <source>TYPORIN ファイル選択</source>
        <translation>TYPORIN  Choose a file</translation>
    </message>
    <message>
        <source>登録するファイルを選択してください。</source>
        <translation>Choose the file to add the text to.</translation>
    </message>
    <message>
        <source>O K</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>中 止</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>登録するファイル名が選択されていません。</source>
        <translation>No file to add to is selected.</translation>
    </message>
</context>
<context>
    <name>TfrmSetOption</name>
    <message>
        <source>TYPORIN  設定オプション</source>
        <translation>TYPORIN  Options</translation>
    </message>
    <message>
        <source>基本設定</source>
        <translation>Basic</translation>
    </message>
    <message>
        <source>タッチタイプモードの設定</source>
        <translation>Touch typing</translation>
    </message>
    <message>
        <source>フォントサイズ</source>
        <translation>Font size</translation>
    </message>
    <message>
        <source>ローマ字ガイドを小文字にする</source>
        <translation>Romaji guide in lower case</translation>
    </message>
    <message>
        <source>その他のモードの設定</source>
        <translation>Other modes</translation>
    </message>
    <message>
        <source>その他</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>行頭禁則文字</source>
        <translation>No-start chars</translation>
    </message>
    <message>
        <source>行末禁則文字</source>
        <translation>No-end chars</translation>
    </message>
    <message>
        <source>グラフ設定</source>
        <translation>Graphs</translation>
    </message>
    <message>
        <source>上限</source>
        <translation>Upper</translation>
    </message>
    <message>
        <source>下限</source>
        <translation>Lower</translation>
    </message>
    <message>
        <source>入力速度（日本語）</source>
        <translation>Speed (Japanese)</translation>
    </message>
    <message>
        <source>入力速度（英語）</source>
        <translation>Speed (English)</translation>
    </message>
    <message>
        <source>一致率</source>
        <translation>Match rate</translation>
    </message>
    <message>
        <source>誤字・脱字・余字率</source>
        <translation>Error rates</translation>
    </message>
    <message>
        <source>漢字含有率</source>
        <translation>Kanji share</translation>
    </message>
    <message>
        <source>打鍵速度（英語）</source>
        <translation>Keying (English)</translation>
    </message>
    <message>
        <source>上達</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>最近の打鍵回数（最低）</source>
        <translation>Recent attempts (least)</translation>
    </message>
    <message>
        <source>回</source>
        <translation>times</translation>
    </message>
    <message>
        <source>正確さ（ミスなしの割合）</source>
        <translation>Accuracy (no misses)</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>速さ</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>打鍵/分</source>
        <translation>keys/min</translation>
    </message>
    <message>
        <source>コースを最初から</source>
        <translation>Restart the course</translation>
    </message>
    <message>
        <source>統計ファイル（TyporinStats.db）が使えないため、かなコースの目標は変更できません。</source>
        <translation>The kana course&apos;s targets cannot be changed: the statistics file (TyporinStats.db) cannot be used.</translation>
    </message>
    <message>
        <source>O K</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>表示言語</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>かなコースでは、これまでに加わったかながすべて下の 3 つの目標に届くと、新しいかなが 1 つ加わります。判定には、かなごとの最近の打鍵（%1 回まで）を使います。速さは、1 打鍵あたりの時間の中央値で比べます。</source>
        <translation>In the kana course a new kana joins when every kana so far meets the 3 targets below. Each kana is judged on its recent attempts (up to %1); speed is the median time per key.</translation>
    </message>
    <message>
        <source>かなコースを最初（あ行）からやり直します。<byte value="xd"/>
ローマ字入力とかな入力の両方の進み具合が最初に戻ります。よろしいですか？<byte value="xd"/>
<byte value="xd"/>
（統計と目標の設定はそのまま残ります。）</source>
        <translation>The kana course starts again from the beginning (the あ row).<byte value="xd"/>
The progress of both romaji input and kana input goes back to the start. Continue?<byte value="xd"/>
<byte value="xd"/>
(The statistics and the targets stay.)</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>日本語</source>
        <translation>Japanese (日本語)</translation>
    </message>
    <message>
        <source>いまのステージ: ローマ字入力「%1」、かな入力「%2」</source>
        <translation>Current stage: romaji input &quot;%1&quot;, kana input &quot;%2&quot;</translation>
    </message>
    <message>
        <source>入力方式</source>
        <translation>Input style</translation>
    </message>
    <message>
        <source>ローマ字入力</source>
        <translation>Romaji</translation>
    </message>
    <message>
        <source>かな入力</source>
        <translation>Kana</translation>
    </message>
    <message>
        <source>キーボード</source>
        <translation>Keyboard</translation>
    </message>
    <message>
        <source>JIS</source>
        <translation>JIS</translation>
    </message>
    <message>
        <source>US</source>
        <translation>US</translation>
    </message>
    <message>
        <source>かな入力は JIS キーボードだけで練習します。</source>
        <translation>Kana input is practised on the JIS keyboard only.</translation>
    </message>
    <message>
        <source>次回の起動から</source>
        <translation>From the next start</translation>
    </message>
    <message>
        <source>統計ファイルが使えないため、ローマ字入力で練習します。</source>
        <translation>The statistics file cannot be used: you practise romaji input.</translation>
    </message>
</context>
<context>
    <name>TfrmTitleBox</name>
    <message>
        <source>TYPORIN レジスタへ文を追加</source>
        <translation>TYPORIN  Add a sentence to a register</translation>
    </message>
    <message>
        <source>O K</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TfrmVersion</name>
    <message>
        <source>TYPORIN - バージョン情報</source>
        <translation>TYPORIN - About</translation>
    </message>
    <message>
        <source>求む！&#x3000;バグ・不具合報告&#x3000;質問もＯＫ！</source>
        <translation>Bug reports and questions welcome!</translation>
    </message>
    <message>
        <source>ここをクリック→</source>
        <translation>Click here → </translation>
    </message>
    <message>
        <source>O K</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>© 2026 TYPORIN プロジェクト</source>
        <translation>© 2026 TYPORIN project</translation>
    </message>
    <message>
        <source>作者へメールを送る</source>
        <translation>Write to the author</translation>
    </message>
    <message>
        <source>ライセンス: GPL-3.0-or-later</source>
        <translation>Licence: GPL-3.0-or-later</translation>
    </message>
    <message>
        <source>TYPORIN は自由ソフトウェアです。GNU 一般公衆利用許諾書 (GPL) の第 3 版、
またはそれ以降の版の条件で、再配布や改変ができます。無保証です。
くわしくは LICENSE ファイルを見てください。</source>
        <translation>TYPORIN is free software: you can redistribute and change it under the terms of
the GNU General Public License (GPL), version 3 or any later version. It comes
with no warranty. See the LICENSE file for details.</translation>
    </message>
</context>
<context>
    <name>UAnalysisTexts</name>
    <message>
        <source>苦手なかなはありません。どのかなも、あなたの平均と同じか、それより正確で速く打てています。</source>
        <translation>No weak kana: you type every kana as accurately and fast as your average, or better.</translation>
    </message>
    <message>
        <source>苦手なかな（苦手な順）: </source>
        <translation>Weak kana (weakest first): </translation>
    </message>
    <message>
        <source>スペース</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>まだ打つ場面がありません</source>
        <translation>Not typed yet</translation>
    </message>
    <message>
        <source>この期間には打っていません</source>
        <translation>Not typed in this period</translation>
    </message>
    <message>
        <source>（苦手）</source>
        <translation> (weak)</translation>
    </message>
    <message>
        <source>%1 回中ミス %2 回</source>
        <translation>%2 misses in %1</translation>
    </message>
    <message>
        <source>苦手なかなは、%1 回以上打ったかなから選びます。練習を続けると、ここに表示されます。</source>
        <translation>Weak kana are chosen among the kana typed %1 times or more. Keep practising and they appear here.</translation>
    </message>
    <message>
        <source>キー %1</source>
        <translation>Key %1</translation>
    </message>
    <message>
        <source>正確さ %1%（%2）</source>
        <translation>Accuracy %1% (%2)</translation>
    </message>
    <message>
        <source>中央値 %1 ms</source>
        <translation>Median %1 ms</translation>
    </message>
    <message>
        <source>つづり %1</source>
        <translation>Spellings %1</translation>
    </message>
    <message>
        <source>よくある打ち間違い %1</source>
        <translation>Frequent mistyping %1</translation>
    </message>
    <message>
        <source>苦手度 %1</source>
        <translation>Weakness %1</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>（%1ms）</source>
        <translation> (%1 ms)</translation>
    </message>
</context>
<context>
    <name>UExerciseStats</name>
    <message>
        <source>タッチタイプ</source>
        <translation>Touch typing</translation>
    </message>
    <message>
        <source>逐次入力</source>
        <translation>Sequential input</translation>
    </message>
    <message>
        <source>一括入力</source>
        <translation>Bulk input</translation>
    </message>
    <message>
        <source>行ごとに比較</source>
        <translation>Line by line</translation>
    </message>
    <message>
        <source>  秒</source>
        <translation>  s </translation>
    </message>
    <message>
        <source>  打</source>
        <translation> keys</translation>
    </message>
    <message>
        <source>   エラー </source>
        <translation>   errors </translation>
    </message>
    <message>
        <source> 文字 </source>
        <translation> chars </translation>
    </message>
    <message>
        <source>漢字 </source>
        <translation>kanji </translation>
    </message>
    <message>
        <source> 打／分</source>
        <translation> keys/min</translation>
    </message>
    <message>
        <source>  入力速度 </source>
        <translation>  speed </translation>
    </message>
    <message>
        <source> 文字/分</source>
        <translation> chars/min</translation>
    </message>
    <message>
        <source>  打鍵速度 </source>
        <translation>  keying </translation>
    </message>
    <message>
        <source> 打/分</source>
        <translation> keys/min</translation>
    </message>
    <message>
        <source>  エラー数 </source>
        <translation>  errors </translation>
    </message>
    <message>
        <source>  誤字・脱字数 </source>
        <translation>  typos/omissions </translation>
    </message>
    <message>
        <source>    余字数 </source>
        <translation>    extras </translation>
    </message>
    <message>
        <source> 脱・誤単語数 </source>
        <translation> words missed </translation>
    </message>
    <message>
        <source> 余単語数 </source>
        <translation> extra words </translation>
    </message>
    <message>
        <source> Word    </source>
        <translation> words   </translation>
    </message>
</context>
<context>
    <name>UExerciseStats.Kanji</name>
    <message>
        <source> 文字 </source>
        <translation> </translation>
    </message>
</context>
<context>
    <name>UExerciseStats.TouchErrors</name>
    <message>
        <source>  打</source>
        <translation> </translation>
    </message>
</context>
<context>
    <name>UGraphPlot</name>
    <message>
        <source>入力速度（例文文字数）</source>
        <translation>Input speed (example chars)</translation>
    </message>
    <message>
        <source>入力速度（Word／分）</source>
        <translation>Input speed (WPM)</translation>
    </message>
    <message>
        <source>入力速度（文字／分）</source>
        <translation>Input speed (chars/min)</translation>
    </message>
    <message>
        <source>入力速度（入力文字数）</source>
        <translation>Input speed (typed chars)</translation>
    </message>
    <message>
        <source>一致率（％）</source>
        <translation>Match rate (%)</translation>
    </message>
    <message>
        <source>誤字率（％）</source>
        <translation>Typo rate (%)</translation>
    </message>
    <message>
        <source>赤は脱字率、青は余字率（％）</source>
        <translation>Red: omission rate, blue: extra rate (%)</translation>
    </message>
    <message>
        <source>打鍵速度（打／分）</source>
        <translation>Keys per minute</translation>
    </message>
    <message>
        <source>漢字含有率（％）</source>
        <translation>Kanji share (%)</translation>
    </message>
    <message>
        <source>入力速度</source>
        <translation>Spd</translation>
    </message>
    <message>
        <source>一致率</source>
        <translation>Mtch</translation>
    </message>
    <message>
        <source>誤字率</source>
        <translation>Typo</translation>
    </message>
    <message>
        <source>誤・脱</source>
        <translation>Miss</translation>
    </message>
    <message>
        <source>打鍵速度</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>漢字含有率</source>
        <translation>Kanj</translation>
    </message>
    <message>
        <source>余字率</source>
        <translation>Ext</translation>
    </message>
    <message>
        <source>%3s 入力速度 %5s 文字/分  入力速度 %5s 文字/分  誤字率%5s％  漢字含有率%5s％</source>
        <translation>%3s speed %5s chars/min  speed %5s chars/min  typos%5s%  kanji%5s%</translation>
    </message>
    <message>
        <source>%3s 入力速度 %5swpm  一致率%5s％  誤・脱字率%5s％  余字率%5s％  打鍵速度 %5s打/分</source>
        <translation>%3s speed %5s WPM  match%5s%  missed%5s%  extra%5s%  keying %5s keys/min</translation>
    </message>
    <message>
        <source>%3s 入力速度 %5s文字/分  一致率%5s％  誤・脱字率%5s％ 余字率%5s％</source>
        <translation>%3s speed %5s chars/min  match%5s%  missed%5s%  extra%5s%</translation>
    </message>
    <message>
        <source>最初の入力速度は入力した文字数から、次の入力速度は例文の文字数から求めた 1 分あたりの文字数です。</source>
        <translation>The first speed counts the characters typed, the second the characters of the example, per minute.</translation>
    </message>
</context>
<context>
    <name>UKanaCourse</name>
    <message>
        <source>「ん」のあとに、あ行・や行・な行が続く単語が加わりました（こんや、みんな）。</source>
        <translation>Words with the あ, や or な row after 「ん」 have joined (こんや, みんな).</translation>
    </message>
    <message>
        <source>「ー」とカタカナの単語が加わりました。</source>
        <translation>Words with 「ー」 and katakana have joined.</translation>
    </message>
    <message>
        <source>新しいかな「%1」が加わりました。</source>
        <translation>A new kana has joined: 「%1」.</translation>
    </message>
    <message>
        <source>「%1」はまだ始まっていません。いまのステージ「%2」のかなを身につけると、順に新しいかなが加わります。</source>
        <translation>Stage 「%1」 has not started yet. Master the kana of the current stage 「%2」 and new kana join one by one.</translation>
    </message>
    <message>
        <source>「%1」の練習に使える単語がありません。</source>
        <translation>No words to practise stage 「%1」.</translation>
    </message>
</context>
<context>
    <name>UPracticeText</name>
    <message>
        <source>%1 行目の「%2」まで</source>
        <translation>up to &quot;%2&quot; on line %1</translation>
    </message>
    <message>
        <source>全 %1 文字のうち、先頭の %2 文字（%3）を練習します。</source>
        <translation>Of %1 characters, you practise the first %2 (%3).</translation>
    </message>
    <message>
        <source>この文は %1 文字あります。<byte value="xd"/>
逐次入力と一括入力で練習に使われるのは、先頭の %2 文字（%3）です。</source>
        <translation>This text has %1 characters.<byte value="xd"/>
Sequential input and bulk input practise the first %2 (%3).</translation>
    </message>
</context>
<context>
    <name>URecords</name>
    <message>
        <source>日付け</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>時刻</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>例文文字数</source>
        <translation>Example chars</translation>
    </message>
    <message>
        <source>例文単語数</source>
        <translation>Example words</translation>
    </message>
    <message>
        <source> (文字/分) </source>
        <translation> (chars/min) </translation>
    </message>
    <message>
        <source>入力文字数</source>
        <translation>Chars typed</translation>
    </message>
    <message>
        <source>入力単語数</source>
        <translation>Words typed</translation>
    </message>
    <message>
        <source>一致数</source>
        <translation>Matches</translation>
    </message>
    <message>
        <source>誤・脱字数</source>
        <translation>Typos+omissions</translation>
    </message>
    <message>
        <source>誤・脱単語数</source>
        <translation>Words missed</translation>
    </message>
    <message>
        <source>誤字数</source>
        <translation>Typos</translation>
    </message>
    <message>
        <source>余字数</source>
        <translation>Extras</translation>
    </message>
    <message>
        <source>余単語数</source>
        <translation>Extra words</translation>
    </message>
    <message>
        <source>漢字数</source>
        <translation>Kanji</translation>
    </message>
    <message>
        <source>時間</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>（秒）</source>
        <translation> (s)</translation>
    </message>
    <message>
        <source>打鍵数</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>（打／分）</source>
        <translation> (keys/min)</translation>
    </message>
    <message>
        <source>すべて表示</source>
        <translation>Show all</translation>
    </message>
</context>
<context>
    <name>UStartup</name>
    <message>
        <source>%1 は、すでに起動されています。複数起動することはできません。<byte value="xd"/>
起動している %1 を終了してから、もう一度起動してください。<byte value="xd"/>
%1 が異常終了したばあいも、終了していれば、そのまま起動できます。</source>
        <translation>%1 is already running; only one can run at a time.<byte value="xd"/>
Quit the running %1, then start it again.<byte value="xd"/>
If %1 ended abnormally, it starts as usual once it has ended.</translation>
    </message>
    <message>
        <source>プログラムを起動できません。<byte value="xd"/>
起動中であることを示すファイルを作成できませんでした。<byte value="xd"/>
</source>
        <translation>The program cannot start.<byte value="xd"/>
The file that marks it as running could not be created.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>見本のレジスタ (TextFolder) をコピーできませんでした。<byte value="xd"/>
</source>
        <translation>The sample registers (TextFolder) could not be copied.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source><byte value="xd"/>
次の起動時にもう一度コピーします。</source>
        <translation><byte value="xd"/>
They are copied again at the next start.</translation>
    </message>
    <message>
        <source>データフォルダを作成できません。<byte value="xd"/>
</source>
        <translation>The data folder cannot be created.<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>UStatsStore</name>
    <message>
        <source>ほかのプログラムがこのファイルを使用中です。</source>
        <translation>Another program is using the file.</translation>
    </message>
    <message>
        <source>ファイルまたはフォルダーが読み取り専用です。</source>
        <translation>The file or folder is read-only.</translation>
    </message>
    <message>
        <source>ファイルの読み書きに失敗しました。</source>
        <translation>Reading or writing the file failed.</translation>
    </message>
    <message>
        <source>ファイルを開けません。</source>
        <translation>The file cannot be opened.</translation>
    </message>
    <message>
        <source>統計ファイル %1 は、このプログラムより新しい版で作られています。<byte value="xd"/>
このファイルには手を加えず、今回の統計は記録しません。</source>
        <translation>The statistics file %1 was made by a newer version of this program.<byte value="xd"/>
It is left untouched, and the statistics of this session are not recorded.</translation>
    </message>
    <message>
        <source>統計ファイル %1 を開けません（%2）。<byte value="xd"/>
練習はそのまま続けられます。</source>
        <translation>The statistics file %1 cannot be opened (%2).<byte value="xd"/>
You can go on practising.</translation>
    </message>
    <message>
        <source>統計ファイル %1 が壊れていますが、別の名前に移せません（%2）。</source>
        <translation>The statistics file %1 is damaged but cannot be moved aside (%2).</translation>
    </message>
    <message>
        <source>統計ファイルが壊れていたため、別の名前で残して新しく作りました。<byte value="xd"/>
壊れていたファイル: %1<byte value="xd"/>
新しいファイル: %2</source>
        <translation>The statistics file was damaged; it was kept under another name and a new one was made.<byte value="xd"/>
Damaged file: %1<byte value="xd"/>
New file: %2</translation>
    </message>
    <message>
        <source>統計ファイル %1 に書きこめません（%2）。<byte value="xd"/>
練習はそのまま続けられます。統計は書きこめるようになりしだい保存します。</source>
        <translation>The statistics file %1 cannot be written (%2).<byte value="xd"/>
You can go on practising; the statistics are saved as soon as the file can be written.</translation>
    </message>
</context>
<context>
    <name>UWeaknessDrill</name>
    <message>
        <source>苦手な文字が単語に出てこない記号などだけのため、苦手克服ドリルを作れません。<byte value="xd"/>
かわりに、かなコースのいまのステージを練習します。</source>
        <translation>The weakness drill cannot be made: your weak characters are symbols that no word contains.<byte value="xd"/>
You practise the current stage of the kana course instead.</translation>
    </message>
    <message>
        <source>苦手なかなを選ぶには、統計がまだ足りません。%1 回以上打ったかなが %2 種類そろうと、苦手克服ドリルを作れます（いまは %3 種類）。<byte value="xd"/>
かわりに、かなコースのいまのステージを練習します。</source>
        <translation>There are not enough statistics yet to choose weak kana. The weakness drill needs %2 kana typed %1 times or more each (now %3).<byte value="xd"/>
You practise the current stage of the kana course instead.</translation>
    </message>
</context>
<context>
    <name>UuEditRegi</name>
    <message>
        <source>文「%1」が %2 の中で確かめられません。<byte value="xd"/>
ほかのプログラムでファイルが変更されたようです。何も書きこみませんでした。<byte value="xd"/>
文を開きなおしてから操作してください。</source>
        <translation>The sentence &quot;%1&quot; cannot be found in %2.<byte value="xd"/>
Another program seems to have changed the file. Nothing was written.<byte value="xd"/>
Open the sentence again, then try again.</translation>
    </message>
    <message>
        <source>%1 の文が開かれていません。</source>
        <translation>No sentence of %1 is open.</translation>
    </message>
</context>
<context>
    <name>UuRegi</name>
    <message>
        <source>%1 がありません。</source>
        <translation>%1 does not exist.</translation>
    </message>
    <message>
        <source>登録ファイルの一覧を作れません。</source>
        <translation>The register files cannot be listed. </translation>
    </message>
    <message>
        <source>文の読み取り中のエラー<byte value="xd"/>
</source>
        <translation>Error while reading the sentence<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>（ファイルは %1 行です）</source>
        <translation> (the file has %1 lines)</translation>
    </message>
    <message>
        <source>%1 行目から始まる文がありません%2。</source>
        <translation>No sentence starts at line %1%2.</translation>
    </message>
    <message>
        <source>%1 行目からの文は %2 行目までのはずですが、ファイルが短くなっています%3。</source>
        <translation>The sentence from line %1 should end at line %2, but the file is shorter%3.</translation>
    </message>
    <message>
        <source>%1 行目が文の見出しではなくなっています。文の一覧を作ったあとでファイルが変わりました。</source>
        <translation>Line %1 is no longer a sentence heading: the file changed after the list of sentences was made.</translation>
    </message>
</context>
</TS>

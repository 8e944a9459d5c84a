<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>Dialogs</name>
    <message>
        <source>CSV形式で保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSVファイル (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileIo</name>
    <message>
        <source>書き込みが禁止されたファイルです（読み取り専用）。書き込みを許可すると保存できます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>通常のファイルではありません（フォルダー、デバイス、名前付きパイプなどは読みこめません）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ディスクの空き容量が足りません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アクセスする権限がありません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>読み取り専用のファイルシステムです。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルではなくフォルダーです。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルまたはフォルダーがありません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>パスの途中にフォルダーではないものがあります。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルが大きすぎます。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ImeSession</name>
    <message>
        <source>（マニュアルの「日本語入力」のページ）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> または </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>typorin: QT_IM_MODULE が設定されていないため、</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Qt の fcitx モジュールで fcitx5 を使います (QT_IM_MODULE=fcitx)。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Qt の ibus モジュールで fcitx5 を使います (QT_IM_MODULE=ibus)。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Qt の ibus モジュールで ibus を使います (QT_IM_MODULE=ibus)。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>日本語入力がオフです。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fcitx5 で日本語入力をオンにしてください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> で日本語入力をオンにしてください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全角/半角キーで日本語入力をオンにしてください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>日本語入力につながっていません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Qt 6 用の fcitx5 のモジュール (fcitx5-frontend-qt6) をインストールして起動しなおしてください</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fcitx5 なら QT_IM_MODULE=fcitx、ibus なら QT_IM_MODULE=ibus を設定して起動しなおしてください</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShiftJis</name>
    <message>
        <source>この文字を削除するか置き換えてから保存してください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>「%1」(%2 行目) は Shift_JIS で保存できない文字です。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>タイトルの「%1」は Shift_JIS で保存できない文字です。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TfrmAnalysis</name>
    <message>
        <source>TYPORIN  かな別の分析</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>期間(&amp;P):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>すべて</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最近30日</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最近7日</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>色分け:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正確さ(&amp;A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>速さ(&amp;V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>苦手克服ドリル</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>苦手なかなを多く含むドリルを、メインウィンドウで始めます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV形式で保存(&amp;S)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>統計を消去</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>キーボード</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>五十音表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>日ごとの推移</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>タッチタイプ・逐次入力・一括入力の統計をすべて消去します。<byte value="xd"/>
消去した統計は元に戻せません。よろしいですか？<byte value="xd"/>
<byte value="xd"/>
（グラフの練習記録と設定はそのまま残ります。）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>まだ統計がありません。

タッチタイプで練習すると、かなとキーごとの正確さと速さ、苦手なかながここに表示されます。
逐次入力で練習すると、変換の確定がうまくいった割合と、1 文字あたりの打鍵数が「日ごとの推移」に表示されます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この期間には統計がありません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSVファイルの保存に失敗しました。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ヘルプファイルがありません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>かな</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>つづり（割合・中央値）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>回数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正確さ%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中央値ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打ち間違い</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>時間の変化</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正確さの変化</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>苦手度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>★は苦手なかな（苦手度の高い %1 個まで）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打ったつづりと、その割合と中央値（ミリ秒）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この期間に打った回数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ミスなしで打てた割合（%）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>前のキーから打ち終わるまでの時間の中央値（ミリ秒）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>いちばん多い打ち間違い（正しいキー→打ったキー）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最近 %1 日の中央値とそれより前の中央値の差（ミリ秒。マイナスは速くなった）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最近 %1 日の正確さとそれより前の正確さの差（ポイント。プラスは良くなった）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ミスと遅さを、あなた自身の平均と比べた数値（1.0 が平均。%1 回以上打ったかなだけ）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>期間内の記録: %1〜%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>タッチタイプ %1 回（かな %2 字）&#x3000;逐次入力の確定 %3 回</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正確さ（%）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中央値（ミリ秒）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>良い</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>苦手</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>記録なし</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>タッチタイプ: かな／分</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>タッチタイプ: 正確さ（%）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>逐次入力: 確定が正しかった割合（%）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>逐次入力: 確定した 1 文字あたりの打鍵数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>記録がありません</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TfrmCourse</name>
    <message>
        <source>かなを少しずつ覚えるコースです。いまのステージの文字をくり返し打つと、次のかなが加わります。
練習するステージを選んでください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>習得済み</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>練習中 %1/%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>まだ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TYPORIN  かなコース</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ステージ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>かな</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>状態</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>練習する(&amp;P)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TfrmEditor</name>
    <message>
        <source>TYPORIN エディタ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>レジスタ(&amp;R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>テキストビューア(&amp;V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新規作成(&amp;N)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新規作成</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>開く(&amp;O)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>開く</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上書き保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>右端で折り返す</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>切り取り(&amp;T)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>切り取り</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>コピー</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>貼り付け</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>削除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Del</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>すべてを選択(&amp;A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>現在編集中の文をレジスタへ登録(&amp;A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>現在編集中の文をレジスタへ追加</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>レジスタの選択されている文を削除(&amp;S)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>レジスタの選択されている文を削除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>テキストファイルをレジスタへ登録(&amp;F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>登録用のファイルを新規作成する(&amp;N)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>登録用のファイルを新規作成する</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>登録用のファイルを削除(&amp;D)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>登録用のファイルを削除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>レジスタの情報を更新(&amp;R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>テキストビューアの表示(&amp;V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>開く(&amp;O)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルオープンエラー<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルを保存できませんでした。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>無題.txt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>テキストファイル(*.txt) (*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ヘルプファイルがありません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>テキストファイル ( *.txt ) (*.txt);;すべてのファイル ( *.* ) (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TYPORIN  エディタ  無題</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TYPORIN  エディタ  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>変更あり</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上書き</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>挿入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイル </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> の内容が変更されています。<byte value="xd"/>
変更を保存しますか?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイル 無題 の内容が変更されています。<byte value="xd"/>
無題.txt として保存します。<byte value="xd"/>
変更を保存しますか?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイル 無題 の内容が変更されています。<byte value="xd"/>
名前を付けて保存します。<byte value="xd"/>
変更を保存しますか?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>タイトル </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>無題</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイル名には次の文字は使えません。<byte value="xd"/>
\ / : , ; * ? &quot; &lt; &gt; |</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイル名を入力してください</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> はファイル名に使用できません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> に登録します。<byte value="xd"/>
タイトルを入力してください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>タイトルがないので登録できません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> が存在しません。<byte value="xd"/>
登録作業を中止します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>登録できませんでした。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文が選択されていません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>「</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>」 を削除します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>削除できませんでした。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存用のフォルダを作成できませんでした。 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文章登録ファイルの新規作成</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>作成するファイル名を入力してください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新規ファイル</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>同名のファイルがあります。<byte value="xd"/>
［はい］ボタンを押すとファイルの内容が消去されます。<byte value="xd"/>
［いいえ］ボタンを押すとファイル作成の処理を終了します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルを作成できませんでした。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>削除するファイルが選択されていません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> を削除します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルを削除できませんでした。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TfrmGraphJap</name>
    <message>
        <source>TYPORIN  グラフ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>入力速度（例文文字数）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一致率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>赤は脱字率、青は余字率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>漢字含有率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>入力モード(&amp;M)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>記録の削除(&amp;D)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV形式で保存(&amp;S)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>逐次入力(&amp;P)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一括入力（一括比較）(&amp;A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一括入力（行ごとに比較）(&amp;L)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>削除する記録のタイトルが選択されていません。<byte value="xd"/>
<byte value="xd"/>
削除したいタイトルをマウスでクリックして選択状態にしてください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&#x3000;「すべて表示」が選択されているときは<byte value="xd"/>
記録の削除はできません。<byte value="xd"/>
削除できるのは個別のデータのみです。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> を削除します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSVファイルの保存に失敗しました。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ヘルプファイルがありません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>逐次入力モードの記録</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一括入力（一括比較）モードの記録</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一括入力（行ごとに比較）モードの記録</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>データ数 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TYPORIN  グラフ  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>誤</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TfrmMain</name>
    <message>
        <source>TYPORIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>↑</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>練習モード(&amp;M)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ツール(&amp;T)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>開く(&amp;O)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>開く</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>タッチタイプ(&amp;T)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>タッチタイプ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>逐次入力(&amp;P)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>逐次入力</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一括入力(&amp;A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一括入力</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>比較する(&amp;C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>比較する F5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>行ごとに比較(&amp;L)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>レジスタの情報を更新(&amp;R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>自動行送り(&amp;L)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>自動行送り</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>設定オプション(&amp;O)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>設定オプション</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>エディタ(&amp;E)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>エディタ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>グラフ(&amp;G)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>グラフ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>かな別の分析(&amp;K)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>かな別の分析</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>バージョン情報(&amp;V)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>かなコース(&amp;K)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>苦手克服ドリル(&amp;W)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>間違えた文字列を練習(&amp;R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>比較できませんでした。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>行ごとに比較</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>前回の終了時に、エディタで保存されていなかった文章を次のファイルに残しました。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
エディタで開きますか？<byte value="xd"/>
（「いいえ」のときはファイルをそのまま残し、次の起動時にもたずねます。）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>データファイルの読みこみに失敗しました。<byte value="xd"/>
設定値や練習記録のデータはすべて初期化されます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>データファイルの書き込みに失敗しました。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
保存せずに終了しますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ヘルプファイルがありません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>間違えた文字列</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>統計ファイルが使えないため、この練習はできません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>求む！&#x3000;バグ・不具合報告&#x3000;質問もＯＫ！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ここをクリック→</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source><byte value="xd"/>
登録ファイルを読みこみなおして表示を更新してください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>チェックマークを書きこめませんでした。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>テキストファイル (*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルを読みこめませんでした。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ミスなし</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>間違えたかな </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>改行（Enter）を入力してください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>入力判定エラー<byte value="xd"/>
次の文字列を表示します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文字列の比較中にエラーが起きました。<byte value="xd"/>
入力できなくなったときは読み込み直してください。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TfrmRegiBox</name>
    <message>
        <source>TYPORIN ファイル選択</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>登録するファイルを選択してください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O K</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中 止</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>登録するファイル名が選択されていません。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TfrmSetOption</name>
    <message>
        <source>TYPORIN  設定オプション</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>基本設定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>タッチタイプモードの設定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>フォントサイズ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ローマ字ガイドを小文字にする</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>その他のモードの設定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>その他</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>行頭禁則文字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>行末禁則文字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>グラフ設定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>入力速度（日本語）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>入力速度（英語）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一致率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>誤字・脱字・余字率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>漢字含有率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打鍵速度（英語）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上達</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最近の打鍵回数（最低）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>回</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正確さ（ミスなしの割合）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>速さ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打鍵/分</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>コースを最初から</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>統計ファイル（TyporinStats.db）が使えないため、かなコースの目標は変更できません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O K</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表示言語</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>次に起動したときから切り替わります。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>かなコースでは、これまでに加わったかながすべて下の 3 つの目標に届くと、新しいかなが 1 つ加わります。判定には、かなごとの最近の打鍵（%1 回まで）を使います。速さは、1 打鍵あたりの時間の中央値で比べます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>かなコースを最初（あ行）からやり直します。<byte value="xd"/>
ローマ字入力とかな入力の両方の進み具合が最初に戻ります。よろしいですか？<byte value="xd"/>
<byte value="xd"/>
（統計と目標の設定はそのまま残ります。）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>自動</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>日本語</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>いまのステージ: ローマ字入力「%1」、かな入力「%2」</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TfrmTitleBox</name>
    <message>
        <source>TYPORIN レジスタへ文を追加</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O K</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TfrmVersion</name>
    <message>
        <source>TYPORIN - バージョン情報</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>求む！&#x3000;バグ・不具合報告&#x3000;質問もＯＫ！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ここをクリック→</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O K</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>© 2026 TYPORIN プロジェクト</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>作者へメールを送る</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ライセンス: GPL-3.0-or-later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TYPORIN は自由ソフトウェアです。GNU 一般公衆利用許諾書 (GPL) の第 3 版、
またはそれ以降の版の条件で、再配布や改変ができます。無保証です。
くわしくは LICENSE ファイルを見てください。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UAnalysisTexts</name>
    <message>
        <source>苦手なかなはありません。どのかなも、あなたの平均と同じか、それより正確で速く打てています。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>苦手なかな（苦手な順）: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>スペース</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>まだ打つ場面がありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この期間には打っていません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（苦手）</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UExerciseStats</name>
    <message>
        <source>タッチタイプ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>逐次入力</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一括入力</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>行ごとに比較</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  打</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>   エラー </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 文字 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>漢字 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 打／分</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  入力速度 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 文字/分</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  打鍵速度 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 打/分</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  エラー数 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  誤字・脱字数 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>    余字数 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 脱・誤単語数 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 余単語数 </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UGraphPlot</name>
    <message>
        <source>入力速度（例文文字数）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>入力速度（Word／分）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>入力速度（文字／分）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>入力速度（入力文字数）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一致率（％）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>誤字率（％）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>赤は脱字率、青は余字率（％）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打鍵速度（打／分）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>漢字含有率（％）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>入力速度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一致率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>誤字率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>誤・脱</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打鍵速度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>漢字含有率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>余字率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%3s 入力速度 %5s 文字/分  入力速度 %5s 文字/分  誤字率%5s％  漢字含有率%5s％</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%3s 入力速度 %5swpm  一致率%5s％  誤・脱字率%5s％  余字率%5s％  打鍵速度 %5s打/分</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%3s 入力速度 %5s文字/分  一致率%5s％  誤・脱字率%5s％ 余字率%5s％</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最初の入力速度は入力した文字数から、次の入力速度は例文の文字数から求めた 1 分あたりの文字数です。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UKanaCourse</name>
    <message>
        <source>「ん」のあとに、あ行・や行・な行が続く単語が加わりました（こんや、みんな）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>「ー」とカタカナの単語が加わりました。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>URecords</name>
    <message>
        <source>日付け</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>時刻</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>例文文字数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>例文単語数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (文字/分) </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>入力文字数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>入力単語数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一致数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>誤・脱字数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>誤・脱単語数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>誤字数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>余字数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>余単語数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>漢字数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>時間</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（秒）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打鍵数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（打／分）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>すべて表示</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UStartup</name>
    <message>
        <source>%1 は、すでに起動されています。複数起動することはできません。<byte value="xd"/>
起動している %1 を終了してから、もう一度起動してください。<byte value="xd"/>
%1 が異常終了したばあいも、終了していれば、そのまま起動できます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プログラムを起動できません。<byte value="xd"/>
起動中であることを示すファイルを作成できませんでした。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>見本のレジスタ (TextFolder) をコピーできませんでした。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source><byte value="xd"/>
次の起動時にもう一度コピーします。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>データフォルダを作成できません。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UStatsStore</name>
    <message>
        <source>ほかのプログラムがこのファイルを使用中です。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルまたはフォルダーが読み取り専用です。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルの読み書きに失敗しました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルを開けません。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UWeaknessDrill</name>
    <message>
        <source>苦手な文字が単語に出てこない記号などだけのため、苦手克服ドリルを作れません。<byte value="xd"/>
かわりに、かなコースのいまのステージを練習します。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UuEditRegi</name>
    <message>
        <source>文「%1」が %2 の中で確かめられません。<byte value="xd"/>
ほかのプログラムでファイルが変更されたようです。何も書きこみませんでした。<byte value="xd"/>
文を開きなおしてから操作してください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 の文が開かれていません。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UuRegi</name>
    <message>
        <source>%1 がありません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>登録ファイルの一覧を作れません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文の読み取り中のエラー<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>

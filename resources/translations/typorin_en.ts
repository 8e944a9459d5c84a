<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
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
</context>
</TS>

#!/usr/bin/env bash
# Writes a data folder with a few sample lists, as the tool stores them (code page 932, CR LF),
# and the window placed at 20,20. Usage: sample_data.sh FOLDER
set -euo pipefail
folder=$1
lists="$folder/ToDoList"
mkdir -p "$lists"

# Writes stdin (UTF-8, LF) to a file as code page 932 with CR LF.
store() { iconv -f UTF-8 -t CP932 | sed 's/$/\r/' >"$1"; }

printf '仕事\n買い物\n読書メモ\n旅行の準備\n' | store "$lists/ListInfo.dat"
today=$(date -u +%Y,%-m,%-d)
soon=$(date -u -d '+3 days' +%Y,%-m,%-d)
past=$(date -u -d '-2 days' +%Y,%-m,%-d)
later=$(date -u -d '+20 days' +%Y,%-m,%-d)
store "$lists/仕事.lst" <<TEXT
0,$past,月次報告を提出する
0,$today,会議資料の印刷
1,$past,見積書を送る
0,$later,年末の棚卸し
TEXT
store "$lists/買い物.lst" <<TEXT
0,$past,電池（単3形）を4本
0,$today,牛乳と卵を買う
0,$soon,食パンとバターを買う
1,$past,洗剤
0,$later,年賀状のはがき
1,$past,コーヒー豆
0,$soon,お米 5kg
TEXT
store "$lists/読書メモ.lst" <<TEXT
NO_DATE
0,$today,坊っちゃん
1,$today,吾輩は猫である
TEXT
: | store "$lists/旅行の準備.lst"
printf '[Tool18]\r\nWndPosX=20\r\nWndPosY=20\r\n' >"$folder/Lumaplex.ini"

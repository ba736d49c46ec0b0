# Completion of kotonami-count's options, their words and files.
_kotonami_count()
{
    local cur prev
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_CWORD:+${COMP_WORDS[COMP_CWORD-1]}}
    case $prev in
        --tab)
            mapfile -t COMPREPLY < <(compgen -W 'use delete space' -- "$cur")
            return ;;
        --input-encoding)
            mapfile -t COMPREPLY < <(compgen -W 'auto sjis utf-8 utf-16 euc-jp' -- "$cur")
            return ;;
        --column-unit)
            mapfile -t COMPREPLY < <(compgen -W 'display character byte' -- "$cur")
            return ;;
        --check-rules)
            local rules='ellipsis-pair dash-pair space-after-mark period-before-close
                paragraph-indent bracket-balance repeated-punctuation halfwidth-kana'
            # The ids already typed before the last comma stay as they are.
            local done=${cur%"${cur##*,}"}
            mapfile -t COMPREPLY < <(compgen -P "$done" -W "$rules" -- "${cur##*,}")
            compopt -o nospace 2>/dev/null
            return ;;
        --settings)
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            return ;;
        --phrase | --word-chars | --column | --line | --days)
            COMPREPLY=()
            return ;;
    esac
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W '--stats --census --phrase --paper --simple-paper
            --arrange --full-width --full-kana --check --check-rules --column-unit --chapters --settings
            --no-space --no-tab
            --no-double-byte-space --exclude-ruby --no-digits --word-chars --column --line --tab --raw
            --input-encoding --log --days --help --version --' -- "$cur")
    else
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    fi
}
complete -o filenames -F _kotonami_count kotonami-count

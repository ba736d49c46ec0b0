# Completion of kotonami's options, their words and files.
_kotonami()
{
    local cur prev
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_CWORD:+${COMP_WORDS[COMP_CWORD-1]}}
    case $prev in
        --page-size)
            mapfile -t COMPREPLY < <(compgen -W 'A4 B5 B4 A5' -- "$cur")
            return ;;
        --settings | --export-pdf)
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            return ;;
        --column | --line | --title | --author)
            COMPREPLY=()
            return ;;
    esac
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W '--new-window --settings --quit-after-start
            --export-pdf --horizontal --submission --column --line --page-size --portrait
            --landscape --title --author --version --help --' -- "$cur")
    else
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    fi
}
complete -o filenames -F _kotonami kotonami
